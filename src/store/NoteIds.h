#pragma once
// The two numbers that name a note, each a type of its own so that one is never passed for the
// other:
// - NoteId, the note's ID (the ID column): what a Parent names, what the tree is built from and
//   what the user sees. A file edited by another tool may hold an ID twice.
// - RecordId, the rowid of the note's record: it names exactly one record.
// Neither is made from a plain integer without saying so (NoteId{5}), nor turns into one or into
// the other; value() gives the number where it is bound to a statement or written out.

#include <QHashFunctions>

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace qj {

template <class Tag> class StoredNumber {
public:
    constexpr StoredNumber() = default;
    constexpr explicit StoredNumber(std::int64_t value) : value_(value) {}

    constexpr std::int64_t value() const { return value_; }

    friend constexpr bool operator==(StoredNumber, StoredNumber) = default;
    friend constexpr auto operator<=>(StoredNumber, StoredNumber) = default;
    friend std::size_t qHash(StoredNumber n, std::size_t seed = 0) noexcept {
        return ::qHash(n.value_, seed);
    }

private:
    std::int64_t value_ = 0;
};

struct NoteIdTag;
struct RecordIdTag;
using NoteId = StoredNumber<NoteIdTag>;
using RecordId = StoredNumber<RecordIdTag>;

} // namespace qj

template <class Tag> struct std::hash<qj::StoredNumber<Tag>> {
    std::size_t operator()(qj::StoredNumber<Tag> n) const noexcept {
        return std::hash<std::int64_t>{}(n.value());
    }
};
