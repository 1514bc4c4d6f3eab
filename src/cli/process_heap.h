// The memory of a vestrelc process, made ready for one translation before the source is read.
#pragma once

#include <string>

namespace vestrel::cli {

// Sizes the process heap for the source `path` names ("-": standard input) and has it,
// and every block of 1 MB or more, taken in huge pages: a translation touches some ten
// bytes of fresh memory per source byte, and on a virtual machine every first touch of
// a small page costs microseconds. Only for vestrelc's own process, which runs one
// translation and ends: it changes how memory is handed out in the whole process (its
// file replaces the global operator new). Does nothing off Linux/glibc, for a small
// source, or when the size cannot be known.
void prepareHeapForSource(const std::string& path);

}  // namespace vestrel::cli
