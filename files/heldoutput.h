#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// What a command prints, held until it knows it is right: a log far out of
// order starts over, and one that cannot be read prints nothing. Held in
// memory asked for at once, in large pages, up to a limit (it grows at the
// pace a large file is read, and a fault for each 4 KiB of it cost more than
// the printing); past the limit in a temporary file no one else sees, so
// that a log whose every line wins holds no more memory than one whose few
// do.
class HeldOutput
{
public:
    // Room for as much as `expected` bytes, up to twice the limit (what one
    // span of lines adds past it), asked for at once.
    explicit HeldOutput(uint64_t expected);
    ~HeldOutput();
    HeldOutput(const HeldOutput &) = delete;
    HeldOutput &operator=(const HeldOutput &) = delete;

    // What is printed is appended here; keepWithin is called after.
    std::string text;
    // Moves what is held in memory to the file once it passes the limit. A
    // file that cannot be written leaves it in memory.
    void keepWithin();
    // Forgets all that was held.
    void forget();
    // Prints all that was held, in order, on `out`; the system's error
    // number when what went to the file cannot be read back, else 0.
    int print(std::FILE *out);

    void setMostHeld(size_t bytes) { mostHeld = bytes; }

private:
    size_t mostHeld = size_t(32) << 20;
    std::FILE *file = nullptr;
    uint64_t inFile = 0; // bytes written to it whole
    bool fileFailed = false;
};
