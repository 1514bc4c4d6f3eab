// The heap of a vestrelc process, made ready for one translation before the source is read.
#pragma once

#include <string>

namespace vestrel::cli {

// Sizes the process heap for the source `path` names ("-": standard input) and asks for
// it in large pages: a translation touches some ten bytes of fresh memory per source
// byte, and on a virtual machine every first touch of a small page costs microseconds.
// Only for a process that runs one translation and ends (vestrelc's main): it changes
// how malloc behaves for the whole process. Does nothing off Linux/glibc, for a small
// source, or when the size cannot be known.
void prepareHeapForSource(const std::string& path);

}  // namespace vestrel::cli
