#pragma once
// Qt lays out an expanded tree by recursion, one call per level of the tree (about 310 bytes a
// level, more in a checking build): the tree shows at most 10,000 levels, and the stack leaves
// room for far more, for this and any other recursion of the toolkit over deep data. How far the
// main thread's stack may grow is fixed when the program starts (the room below it is set aside
// from the stack limit of that moment), so the program starts itself once more with a larger
// limit, before anything else happens. Other threads keep the usual size.

namespace qj {

// The stack limit the main thread gets: 2 GiB of address space; pages are used as they are
// touched.
inline constexpr unsigned long long kMainStackBytes = 2ULL << 30;

// Starts the program again (same arguments and environment) with the larger stack limit when the
// present one is smaller and the hard limit allows more; returns when nothing had to be done, when
// it cannot be done (it then goes on with the present stack), and in the program started again.
// Call first thing in main().
void EnsureLargeMainStack(char** argv);

} // namespace qj
