#include "records/RecordJson.h"

#include "records/RecordFields.h"
#include "nodeconf/TextEncoding.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace mnm {

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

} // namespace mnm

namespace mnm {

namespace {

struct Reader {
    std::string& error;

    bool Fail(const std::string& key, const std::string& why)
    {
        error = key + ": " + why;
        return false;
    }

    bool Integer(const Json& v, const std::string& key, std::int64_t low, std::int64_t high, std::int64_t& out)
    {
        if (v.is_number_unsigned()) {
            const std::uint64_t u = v.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(high)) return Fail(key, "out of range " + Range(low, high));
            out = static_cast<std::int64_t>(u);
            return true;
        }
        if (!v.is_number_integer()) return Fail(key, "not an integer");
        out = v.get<std::int64_t>();
        if (out < low || out > high) return Fail(key, "out of range " + Range(low, high));
        return true;
    }

    static std::string Range(std::int64_t low, std::int64_t high)
    {
        return std::to_string(low) + ".." + std::to_string(high);
    }

    // UTF-8 to the record's Windows-1252, at most `capacity` bytes.
    bool TextOf(const Json& v, const std::string& key, std::size_t capacity, std::string& out)
    {
        if (!v.is_string()) return Fail(key, "not a string");
        bool lossy = false;
        out = Utf8ToCp1252(v.get<std::string>(), &lossy);
        if (lossy) return Fail(key, "holds a character the configuration cannot store");
        if (out.find('\0') != std::string::npos) return Fail(key, "holds a zero character");
        if (out.size() > capacity) return Fail(key, "longer than " + std::to_string(capacity) + " characters");
        return true;
    }

    void Put(unsigned char* at, std::size_t size, std::int64_t value)
    {
        const std::uint32_t u32 = static_cast<std::uint32_t>(value);
        const std::uint16_t u16 = static_cast<std::uint16_t>(value);
        const std::uint8_t u8 = static_cast<std::uint8_t>(value);
        std::memcpy(at, size == 1 ? static_cast<const void*>(&u8) : size == 2 ? static_cast<const void*>(&u16) : &u32,
                    size);
    }

    bool Object(const Json& v, const std::string& path, unsigned char* base, std::span<const FieldSpec> fields)
    {
        if (!v.is_object()) return Fail(path.empty() ? "record" : path, "not an object");
        for (auto it = v.begin(); it != v.end(); ++it) {
            const FieldSpec* known = nullptr;
            for (const FieldSpec& f : fields)
                if (it.key() == f.key) known = &f;
            const std::string key = path.empty() ? it.key() : path + "." + it.key();
            if (!known) return Fail(key, "unknown key");
            if (!Field(it.value(), key, base, *known)) return false;
        }
        return true;
    }

    bool Field(const Json& v, const std::string& key, unsigned char* base, const FieldSpec& f)
    {
        unsigned char* at = base + f.offset;
        std::int64_t value = 0;
        switch (f.kind) {
        case FieldKind::Count:
        case FieldKind::Derived: return true;
        case FieldKind::Letter: {
            std::string text;
            if (!TextOf(v, key, 1, text)) return false;
            *at = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
            return true;
        }
        case FieldKind::Unsigned: {
            const std::int64_t high = f.size == 1 ? 0xFF : f.size == 2 ? 0xFFFF : 0xFFFFFFFFll;
            if (!Integer(v, key, 0, high, value)) return false;
            Put(at, f.size, value);
            return true;
        }
        case FieldKind::Optional:
            if (v.is_null()) {
                Put(at, 4, absent);
                return true;
            }
            [[fallthrough]];
        case FieldKind::Signed:
            if (!Integer(v, key, INT32_MIN, INT32_MAX, value)) return false;
            Put(at, 4, value);
            return true;
        case FieldKind::Text: {
            std::string text;
            if (!TextOf(v, key, f.size - 1, text)) return false;
            std::memset(at, 0, f.size);
            std::memcpy(at, text.data(), text.size());
            return true;
        }
        case FieldKind::Bytes:
            if (!v.is_array()) return Fail(key, "not an array");
            if (v.size() > f.size) return Fail(key, "more than " + std::to_string(f.size) + " bytes");
            for (std::size_t i = 0; i < v.size(); ++i) {
                if (!Integer(v[i], key + "[" + std::to_string(i) + "]", 0, 0xFF, value)) return false;
                at[i] = static_cast<unsigned char>(value);
            }
            return true;
        case FieldKind::Texts:
        case FieldKind::Entries:
        case FieldKind::Words: {
            if (!v.is_array()) return Fail(key, "not an array");
            if (v.size() > f.capacity)
                return Fail(key, "more than " + std::to_string(f.capacity) + " entries");
            for (std::size_t i = 0; i < v.size(); ++i) {
                const std::string item = key + "[" + std::to_string(i) + "]";
                unsigned char* entry = at + i * f.size;
                if (f.kind == FieldKind::Words) {
                    if (!Integer(v[i], item, 0, 0xFFFFFFFFll, value)) return false;
                    Put(entry, 4, value);
                } else if (f.kind == FieldKind::Entries) {
                    if (!Object(v[i], item, entry, f.entryFields())) return false;
                } else {
                    std::string text;
                    if (!TextOf(v[i], item, f.size - 1, text)) return false;
                    std::memset(entry, 0, f.size);
                    std::memcpy(entry, text.data(), text.size());
                }
            }
            if (f.kind != FieldKind::Texts) Put(base + f.countOffset, 4, static_cast<std::int64_t>(v.size()));
            return true;
        }
        }
        return Fail(key, "not readable");
    }
};

} // namespace

bool JsonToRecord(const Json& json, NodeConf& conf, std::string& error)
{
    conf = NewNodeConf();
    Reader reader{error};
    return reader.Object(json, "", reinterpret_cast<unsigned char*>(&conf), RecordFieldList());
}

} // namespace mnm
