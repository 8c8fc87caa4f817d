#pragma once

#include <stdexcept>

namespace torvex {

// A library change refused before anything was written: a name that cannot be a file name, a
// field a file cannot hold, a standard knife without size.
class LibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace torvex
