#include "cli/RecordJson.h"

#include "cli/RecordFields.h"
#include "nodeconf/TextEncoding.h"

#include <cstring>
#include <string>

namespace mnm::cli {

namespace {

using Json = nlohmann::ordered_json;

std::uint64_t ReadUnsigned(const unsigned char* at, std::size_t size)
{
    std::uint8_t u8;
    std::uint16_t u16;
    std::uint32_t u32;
    switch (size) {
    case 1: std::memcpy(&u8, at, 1); return u8;
    case 2: std::memcpy(&u16, at, 2); return u16;
    default: std::memcpy(&u32, at, 4); return u32;
    }
}

std::int32_t ReadSigned(const unsigned char* at)
{
    std::int32_t v;
    std::memcpy(&v, at, 4);
    return v;
}

std::string Text(const unsigned char* at, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(at);
    return Cp1252ToUtf8(std::string(text, strnlen(text, size)));
}

Json Entry(const unsigned char* base, std::span<const FieldSpec> fields);

Json Value(const unsigned char* base, const FieldSpec& f)
{
    const unsigned char* at = base + f.offset;
    switch (f.kind) {
    case FieldKind::Letter: return Text(at, 1);
    case FieldKind::Unsigned: return ReadUnsigned(at, f.size);
    case FieldKind::Signed:
    case FieldKind::Count:
    case FieldKind::Derived: return ReadSigned(at);
    case FieldKind::Optional: return IsAbsent(ReadSigned(at)) ? Json(nullptr) : Json(ReadSigned(at));
    case FieldKind::Text: return Text(at, f.size);
    case FieldKind::Bytes: {
        Json bytes = Json::array();
        for (std::size_t i = 0; i < f.size; ++i) bytes.push_back(at[i]);
        return bytes;
    }
    case FieldKind::Texts: {
        Json texts = Json::array();
        for (std::size_t i = 0; i < f.capacity; ++i) texts.push_back(Text(at + i * f.size, f.size));
        return texts;
    }
    case FieldKind::Entries:
    case FieldKind::Words: {
        // Only the entries in use; a damaged count never reads past the table.
        std::int32_t count = ReadSigned(base + f.countOffset);
        if (count < 0) count = 0;
        if (std::size_t(count) > f.capacity) count = std::int32_t(f.capacity);
        Json table = Json::array();
        for (std::int32_t i = 0; i < count; ++i) {
            const unsigned char* entry = at + std::size_t(i) * f.size;
            table.push_back(f.kind == FieldKind::Words ? Json(ReadUnsigned(entry, 4)) : Entry(entry, f.entryFields()));
        }
        return table;
    }
    }
    return nullptr;
}

Json Entry(const unsigned char* base, std::span<const FieldSpec> fields)
{
    Json object = Json::object();
    for (const FieldSpec& f : fields) object[f.key] = Value(base, f);
    return object;
}

} // namespace

Json RecordToJson(const NodeConf& conf)
{
    return Entry(reinterpret_cast<const unsigned char*>(&conf), RecordFieldList());
}

} // namespace mnm::cli
