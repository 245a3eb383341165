// A name for every result code of the message catalogue. The lists below are
// the one place where the numbers live; the catalogue's table and every rule
// use the names. Codes with an item number are built with ItemCode().
#pragma once

namespace mnm {

// The main catalogue, in its order: X(name, code).
#define MNM_CATALOGUE_CODES(X) \
    X(kNoErrors, 0) \
    X(kNodeNumberEmpty, -1001) \
    X(kNodeNumberTooLong, -1002) \
    X(kNodeNumberNonDigits, -1003) \
    X(kNodeNumberOutOfRange, -1004) \
    X(kChannelEmpty, -1101) \
    X(kChannelTooLong, -1102) \
    X(kChannelNonDigits, -1103) \
    X(kChannelOutOfRange, -1104) \
    X(kTransmitPowerEmpty, -1201) \
    X(kTransmitPowerTooLong, -1202) \
    X(kTransmitPowerNonDigits, -1203) \
    X(kTransmitPowerOutOfRange, -1204) \
    X(kTransmitIntervalEmpty, -1301) \
    X(kTransmitIntervalOutOfRange, -1302) \
    X(kAlarmDelayEmpty, -1401) \
    X(kAlarmDelayBelowTwiceInterval, -1404) \
    X(kAlarmDelayZero, -1405) \
    X(kAlarmDelayAboveTwoDays, -1406) \
    X(kAlarmDelayNotWholeMinutes, -1407) \
    X(kMaxRetriesEmpty, -1501) \
    X(kMaxRetriesTooLong, -1502) \
    X(kMaxRetriesNonDigits, -1503) \
    X(kMaxRetriesOutOfRange, -1504) \
    X(kMaxRetriesTooGreatForInterval, -1505) \
    X(kNetworkNameEmpty, -1601) \
    X(kNetworkNameTooLong, -1602) \
    X(kNetworkNameInvalidCharacters, -1603) \
    X(kTooManyConnections, -1701) \
    X(kConnectionChangeUndetected, -1702) \
    X(kConnectionsChangeUndetected, -1703) \
    X(kTooManyPrimaryRoutes, -1801) \
    X(kTooManySecondaryRoutes, -1802) \
    X(kPreTransmitEmpty, -1901) \
    X(kPreTransmitTooLong, -1902) \
    X(kPreTransmitNonDigits, -1903) \
    X(kPreTransmitOutOfRange, -1904) \
    X(kPreTransmitWithoutInterval, -1905) \
    X(kPreTransmitNotBelowInterval, -1906) \
    X(kCannotReadFile, -2101) \
    X(kCannotWriteFile, -2102) \
    X(kMissingSignature, -2151) \
    X(kIncorrectSignature, -2152) \
    X(kFileIncomplete, -2153) \
    X(kUnexpectedParameter, -2161) \
    X(kUnexpectedEndOfFile, -2171) \
    X(kChannelNotSupported, -3001) \
    X(kHighwayNotSupported, -4001) \
    X(kLowPowerNotSupported, -4002) \
    X(kSmsMessagesDownloadFailed, -4003) \
    X(kSmsNumbersDownloadFailed, -4004) \
    X(kSmsConnectionsDownloadFailed, -4005) \
    X(kUploadFailed, -4051) \
    X(kDownloadFailed, -4052) \
    X(kFlashFailedRoutingTables, -4101) \
    X(kFlashFailedRadioParameters, -4102) \
    X(kFlashFailedNetworkParameters, -4103) \
    X(kFlashFailedConnectionTable, -4104) \
    X(kFlashFailedLowPowerParameters, -4105) \
    X(kFlashFailedHighwayParameters, -4106) \
    X(kFlashFailedSmsMessages, -4107) \
    X(kFlashFailedSmsNumbers, -4108) \
    X(kFlashFailedSmsConnections, -4109) \
    X(kTelephoneEmpty, -4201) \
    X(kTelephoneOnlySpaces, -4202) \
    X(kTelephoneTooLong, -4203) \
    X(kTelephoneTooLongTrimmed, -4204) \
    X(kTelephoneBadFirstCharacter, -4205) \
    X(kTelephoneBadCharacter, -4206) \
    X(kTelephoneDoublePunctuation, -4207) \
    X(kTelephoneTooManyDigits, -4208) \
    X(kTelephoneEndsWithNonDigit, -4209) \
    X(kTelephoneNoDigits, -4210) \
    X(kTelephoneNonDigitAfterPlus, -4211) \
    X(kAlertListFull, -4251) \
    X(kAlertEndpointHasNode, -4301) \
    X(kAlertEndpointInvalid, -4302) \
    X(kLimitInvalid, -4303) \
    X(kLimitDecimalsMilliamps, -4304) \
    X(kLimitDecimalsVolts, -4305) \
    X(kLimitDecimalsPercent, -4306) \
    X(kLimitDecimalsCounts, -4307) \
    X(kLimitNegative, -4308) \
    X(kLimitTooLargeMilliamps, -4309) \
    X(kLimitTooLargeVolts, -4310) \
    X(kLimitTooLargePercent, -4311) \
    X(kLimitTooLargeCounts, -4312) \
    X(kHysteresisInvalid, -4343) \
    X(kHysteresisDecimalsMilliamps, -4344) \
    X(kHysteresisDecimalsVolts, -4345) \
    X(kHysteresisDecimalsPercent, -4346) \
    X(kHysteresisDecimalsCounts, -4347) \
    X(kHysteresisNegative, -4348) \
    X(kHysteresisTooLargeMilliamps, -4349) \
    X(kHysteresisTooLargeVolts, -4350) \
    X(kHysteresisTooLargePercent, -4351) \
    X(kHysteresisTooLargeCounts, -4352) \
    X(kHysteresisBelowLimit, -4381) \
    X(kHysteresisAboveLimit, -4382) \
    X(kIntervalHoursTwice, -4391) \
    X(kIntervalHoursAfterMinutes, -4392) \
    X(kIntervalHoursAfterSeconds, -4393) \
    X(kIntervalHoursWithoutDigits, -4394) \
    X(kIntervalMinutesTwice, -4395) \
    X(kIntervalMinutesAfterSeconds, -4396) \
    X(kIntervalMinutesWithoutDigits, -4397) \
    X(kIntervalSecondsTwice, -4398) \
    X(kIntervalSecondsWithoutDigits, -4399) \
    X(kIntervalOutOfRange, -4400) \
    X(kIntervalUnparsable, -4401) \
    X(kAlarmDelayHoursTwice, -4421) \
    X(kAlarmDelayHoursAfterMinutes, -4422) \
    X(kAlarmDelayHoursAfterSeconds, -4423) \
    X(kAlarmDelayHoursWithoutDigits, -4424) \
    X(kAlarmDelayMinutesTwice, -4425) \
    X(kAlarmDelayMinutesAfterSeconds, -4426) \
    X(kAlarmDelayMinutesWithoutDigits, -4427) \
    X(kAlarmDelaySecondsTwice, -4428) \
    X(kAlarmDelaySecondsWithoutDigits, -4429) \
    X(kAlarmDelayOutOfRange, -4430) \
    X(kAlarmDelayUnparsable, -4431) \
    X(kInternalConnectionCountNegative, -9001) \
    X(kInternalConnectionUnreadable, -9002) \
    X(kInternalPrimaryRouteCountNegative, -9101) \
    X(kInternalPrimaryRouteUnreadable, -9102) \
    X(kInternalSecondaryRouteCountNegative, -9151) \
    X(kInternalSecondaryRouteUnreadable, -9152) \
    X(kInternalMessageTextCount, -9201) \
    X(kInternalMessageTextUnreadable, -9202) \
    X(kInternalMessageTextTooLong, -9203) \
    X(kInternalMessageDestinationCount, -9301) \
    X(kInternalMessageDestinationUnreadable, -9302) \
    X(kInternalMessageDestinationTooLong, -9303) \
    X(kInternalNcpBufferTooLong, -9451) \
    X(kInternalNcpStringTooLong, -9452) \
    X(kInternalMhpBufferTooLong, -9453)

// The Connect button's own small catalogue.
#define MNM_ADD_CONNECTION_CODES(X) \
    X(kOriginEndpointInvalid, -2001) \
    X(kOriginNotLocal, -2002) \
    X(kDestinationEndpointInvalid, -2003) \
    X(kCannotAddConnection, -2004) \
    X(kPulseWithoutConditions, -2005) \
    X(kPulseOnChange, -2006) \
    X(kPulseOnChangeOnly, -2007) \
    X(kPulseDeltaInvalid, -2008) \
    X(kNoTransmitConditions, -2009) \
    X(kPercentageInvalid, -2010) \
    X(kOriginBadlyTerminated, -2011) \
    X(kOriginRangeInvalid, -2012) \
    X(kOriginRangeInverted, -2013) \
    X(kMaxPpmInvalid, -2014)

enum ResultCode : int {
#define MNM_NAME_CODE(name, code) name = code,
    MNM_CATALOGUE_CODES(MNM_NAME_CODE)
    MNM_ADD_CONNECTION_CODES(MNM_NAME_CODE)
#undef MNM_NAME_CODE

    // Codes with no catalogue entry: they show as "Unknown Error: <code>".
    kInternalAlertUnreadable = -9401, // an alert line the store cannot read back
    kConnectionBuildFailed = -2999,   // the Connect button's entry did not build
    kAlertNoDigitalCondition = -11,   // the alerts page: no digital condition chosen
    kAlertPulsePoint = -12,           // a pulse point cannot raise an alert
    kAlertPageOutOfRange = -13,       // message or telephone page outside 1..32
    kAlertNoUnit = -14,               // no unit chosen
    kAlertNoAnalogCondition = -15,    // no analog condition chosen
};

} // namespace mnm
