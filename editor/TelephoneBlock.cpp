#include "editor/TelephoneBlock.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "controls/StatusIcon.h"
#include "controls/UpDown.h"
#include "editor/PageControls.h"
#include "editor/PageHost.h"
#include "editor/WidgetWrites.h"
#include "nodeconf/NodeConf.h"

namespace mnm::editor {

namespace {

constexpr int kPictureSide = 20;

enum Id {
    kFrame = 14001, kPageLabel = 14002, kUpDown = 14003, kNumber = 14004, kRedialGroup = 14005,
    kRedialLabel = 14006, kAttempts = 14007, kTimesLabel = 14008, kInterval = 14009, kSecondsLabel = 14010,
    kTelephonePicture = 14011, kLeasedLinePicture = 14012,
};
enum Icon { kTelephoneOff = 12017, kTelephoneOn = 12010, kLeasedLineOff = 12016, kLeasedLineOn = 12011 };

QLineEdit* Edit(int id, QWidget* parent) { return Named(new QLineEdit(parent), id); }

} // namespace

TelephoneBlock::TelephoneBlock(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("TelephoneBlock");
    frame_ = new QGroupBox(tr("Telephone Numbers"), this);
    frame_->setObjectName(QString::number(kFrame));

    telephonePicture_ = Picture(kTelephonePicture, kTelephoneOff, kTelephoneOn, tr("Telephone"), kPictureSide, frame_);
    number_ = Edit(kNumber, frame_);
    number_->setMaxLength(kDialupNumberLength);
    // Room for a whole international number: the block never squeezes it.
    constexpr int kShownDigits = 16;
    number_->setMinimumWidth(number_->fontMetrics().horizontalAdvance(QString(kShownDigits, '0')) + 12);
    number_->setAccessibleName(tr("Telephone number"));
    pageLabel_ = PlainLabel("1", kPageLabel, frame_);
    pageLabel_->setAccessibleName(tr("Telephone number page"));
    pageLabel_->setMinimumWidth(pageLabel_->fontMetrics().horizontalAdvance("88"));
    pageLabel_->setAlignment(Qt::AlignCenter);
    upDown_ = new controls::UpDown(frame_);
    upDown_->setObjectName(QString::number(kUpDown));
    upDown_->setAccessibleName(tr("Telephone number page"));

    auto* redial = new QWidget(frame_);
    redial->setObjectName(QString::number(kRedialGroup));
    attempts_ = Edit(kAttempts, redial);
    interval_ = Edit(kInterval, redial);
    const int digits = attempts_->fontMetrics().horizontalAdvance("00000") + 12;
    attempts_->setMaximumWidth(digits);
    interval_->setMaximumWidth(digits);
    auto* redialRow = new QHBoxLayout(redial);
    redialRow->setContentsMargins(0, 0, 0, 0);
    redialRow->addWidget(BuddyLabel(tr("Re&dial"), kRedialLabel, attempts_, redial));
    redialRow->addWidget(attempts_);
    redialRow->addWidget(PlainLabel("x", kTimesLabel, redial));
    redialRow->addWidget(interval_);
    redialRow->addWidget(PlainLabel("s", kSecondsLabel, redial));
    redialRow->addStretch();
    attempts_->setAccessibleName(tr("Redial attempts"));
    interval_->setAccessibleName(tr("Redial interval in seconds"));

    auto* grid = new QGridLayout(frame_);
    grid->addWidget(telephonePicture_, 0, 0);
    grid->addWidget(number_, 0, 1);
    grid->addWidget(pageLabel_, 0, 2);
    grid->addWidget(upDown_, 0, 3);
    grid->addWidget(redial, 1, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    leasedLinePicture_ = Picture(kLeasedLinePicture, kLeasedLineOff, kLeasedLineOn, tr("Leased line"), kPictureSide, this);
    KeepPlaceWhenHidden({frame_}); // the Dialup page's controls stay put when a secondary hides it
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(leasedLinePicture_, 0, Qt::AlignTop);
    layout->addWidget(frame_, 1);

    connect(number_, &QLineEdit::textEdited, this,
            [this](const QString& text) { host_.Edit([&](EditorContents& e) { e.dialupNumbers.SetEditText(Held(text)); }); });
    connect(upDown_, &controls::UpDown::Stepped, this,
            [this](int delta) { host_.Browse([delta](EditorContents& e) { e.dialupNumbers.Turn(delta); }); });
    connect(attempts_, &QLineEdit::textEdited, this,
            [this](const QString& text) { host_.Edit([&](EditorContents& e) { e.redialAttempts = Held(text); }); });
    connect(interval_, &QLineEdit::textEdited, this,
            [this](const QString& text) { host_.Edit([&](EditorContents& e) { e.redialInterval = Held(text); }); });
}

QList<QWidget*> TelephoneBlock::Inputs() const { return {number_, upDown_, attempts_, interval_}; }

void TelephoneBlock::Refresh(const TelephoneBlockRules& rules)
{
    const EditorContents& e = host_.Contents();
    WriteText(number_, e.dialupNumbers.EditText());
    WriteText(attempts_, e.redialAttempts);
    WriteText(interval_, e.redialInterval);
    pageLabel_->setText(QString::number(rules.pageLabel));

    WriteShown(frame_, rules.showTelephoneControls);
    WriteEnabled(frame_, rules.telephoneControlsEnabled);
    telephonePicture_->SetState(rules.telephoneControlsEnabled ? controls::kStateOn : controls::kStateOff);
    WriteShown(leasedLinePicture_, rules.showLeasedLinePicture);
    WriteEnabled(leasedLinePicture_, rules.leasedLinePictureEnabled);
    leasedLinePicture_->SetState(rules.leasedLinePictureEnabled ? controls::kStateOn : controls::kStateOff);
}

} // namespace mnm::editor
