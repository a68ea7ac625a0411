#pragma once

// The files a run writes besides standard output (--pdf, --chart, --save): none of them may
// be the file standard output is writing to, nor the same file as another of them, or one
// output would silently replace the other.

#include <vector>

#include "cli/options.h"

namespace cli {

// UsageError naming both options when two outputs of the run, or an output and standard
// output (descriptor 1), are the same file: the same device and inode when it exists, the
// same path with every link resolved when not. Called before anything is written.
void RefuseSharedOutputFiles(const std::vector<Option>& options);

}  // namespace cli
