// The record's fields as the command-line tool names them, in record order:
// one table that both the JSON writer and reader walk.
#pragma once

#include "nodeconf/NodeConf.h"

#include <cstddef>
#include <span>

namespace mnm {

enum class FieldKind {
    Letter,   // one character, "" for a zero byte
    Unsigned, // 1, 2 or 4 bytes
    Signed,   // 4 bytes
    Optional, // 4-byte signed, null when absent
    Text,     // zero-terminated, `size` is the array size
    Bytes,    // an array of `size` bytes
    Count,    // a table's entry count: written out, recomputed on input
    Derived,  // computed from other fields: written out, ignored on input
    Entries,  // a table of `capacity` records of `size` bytes, `count` at countOffset
    Words,    // a table of `capacity` 32-bit words, `count` at countOffset
    Texts,    // `capacity` texts of `size` bytes each, always all written
};

struct FieldSpec {
    const char* key;
    FieldKind kind;
    std::size_t offset;
    std::size_t size;
    std::size_t capacity = 0;
    std::size_t countOffset = 0;
    std::span<const FieldSpec> (*entryFields)() = nullptr;
};

// The whole record, in its order.
std::span<const FieldSpec> RecordFieldList();

std::span<const FieldSpec> ConnectionFields();
std::span<const FieldSpec> SmsConnectionFields();
std::span<const FieldSpec> DialupConnectionFields();

} // namespace mnm
