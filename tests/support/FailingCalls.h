#pragma once

#include <functional>

// Linked into a test, this stands in for the C library's fsync(), rename()
// and flock() in the whole process: each works as usual until a test asks
// the next call of fsync() or rename() to fail with a given errno, as a disk
// that fails to flush or a rename the filesystem refuses would, or has
// something happen just before the next flock(), as another copy letting go
// of a lock at that very moment.
namespace FailingCalls {

enum class Call { Fsync, Rename };

void FailNext(Call call, int error);

void BeforeNextFlock(std::function<void()> happening);

}  // namespace FailingCalls
