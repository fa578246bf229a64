#pragma once

// Linked into a test, this stands in for the C library's fsync() and
// rename() in the whole process: each works as usual until a test asks the
// next call of it to fail with a given errno, as a disk that fails to flush
// or a rename the filesystem refuses would.
namespace FailingCalls {

enum class Call { Fsync, Rename };

void FailNext(Call call, int error);

}  // namespace FailingCalls
