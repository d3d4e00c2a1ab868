// A note's ID and its record's rowid are numbers of different meaning: neither is made from the
// other, nor from or into a plain integer, without saying so. Checked when this file compiles.
#include "store/NoteIds.h"
#include "store/CategoryTable.h"
#include "store/NoteTree.h"

#include <cstdint>
#include <type_traits>

namespace {

using qj::NoteId;
using qj::RecordId;

template <class A, class B>
concept EqualityComparable = requires(A a, B b) {
    a == b;
};
template <class A, class B>
concept Ordered = requires(A a, B b) {
    a < b;
};
template <class Rowid, class Id>
concept MakesRecordRef = requires(Rowid rowid, Id id) {
    qj::RecordRef{rowid, id};
};

// Not one for the other.
static_assert(!std::is_convertible_v<RecordId, NoteId>);
static_assert(!std::is_convertible_v<NoteId, RecordId>);
static_assert(!std::is_constructible_v<NoteId, RecordId>);
static_assert(!std::is_constructible_v<RecordId, NoteId>);
static_assert(!std::is_assignable_v<NoteId&, RecordId>);
static_assert(!std::is_assignable_v<RecordId&, NoteId>);
static_assert(!EqualityComparable<NoteId, RecordId>);
static_assert(!Ordered<RecordId, NoteId>);

// Not from a plain integer unless said: NoteId{5}.
static_assert(!std::is_convertible_v<std::int64_t, NoteId>);
static_assert(!std::is_convertible_v<int, RecordId>);
static_assert(!std::is_assignable_v<NoteId&, int>);
static_assert(!EqualityComparable<NoteId, int>);
static_assert(std::is_constructible_v<NoteId, std::int64_t>);
static_assert(std::is_constructible_v<RecordId, std::int64_t>);

// Not into a plain integer either: value() says so.
static_assert(!std::is_convertible_v<NoteId, std::int64_t>);
static_assert(!std::is_convertible_v<RecordId, std::int64_t>);
static_assert(!std::is_constructible_v<std::int64_t, NoteId>);
static_assert(!std::is_constructible_v<bool, RecordId>);
static_assert(NoteId{7}.value() == 7 && RecordId{-3}.value() == -3);

// The tree's and the table's look-ups take the one they mean.
static_assert(std::is_invocable_v<decltype(&qj::NoteTree::Find), const qj::NoteTree&, NoteId>);
static_assert(!std::is_invocable_v<decltype(&qj::NoteTree::Find), const qj::NoteTree&, RecordId>);
static_assert(std::is_invocable_v<decltype(&qj::NoteTree::FindRecord), const qj::NoteTree&, RecordId>);
static_assert(!std::is_invocable_v<decltype(&qj::NoteTree::FindRecord), const qj::NoteTree&, NoteId>);
static_assert(!std::is_invocable_v<decltype(&qj::CategoryTable::Contains), qj::CategoryTable&, RecordId>);
static_assert(MakesRecordRef<RecordId, NoteId>);
static_assert(!MakesRecordRef<NoteId, RecordId>);
static_assert(!MakesRecordRef<std::int64_t, std::int64_t>);

} // namespace
