#include "heldoutput.h"

#include "largepages.h"

#include <algorithm>
#include <array>
#include <cerrno>

HeldOutput::HeldOutput(uint64_t expected)
{
    text.reserve(size_t(std::min<uint64_t>(expected, 2 * mostHeld)));
    preferLargePages(text.data(), text.capacity());
}

HeldOutput::~HeldOutput()
{
    if (file)
        std::fclose(file);
}

void HeldOutput::keepWithin()
{
    if (text.size() < mostHeld || fileFailed)
        return;
    // Unlinked from the start: nothing is left behind, however the program ends.
    if (!file && !(file = std::tmpfile())) {
        fileFailed = true;
        return;
    }
    if (std::fseek(file, long(inFile), SEEK_SET) != 0 || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        fileFailed = true; // what went part way is not counted: it is still held here
        return;
    }
    inFile += text.size();
    text.clear();
}

void HeldOutput::forget()
{
    text.clear();
    inFile = 0;
}

int HeldOutput::print(std::FILE *out)
{
    if (inFile > 0) {
        if (std::fflush(file) != 0 || std::fseek(file, 0, SEEK_SET) != 0)
            return errno ? errno : EIO;
        std::array<char, 64 * 1024> block;
        for (uint64_t left = inFile; left > 0;) {
            const size_t n = std::fread(block.data(), 1, size_t(std::min<uint64_t>(left, block.size())), file);
            if (n == 0)
                return std::ferror(file) && errno ? errno : EIO;
            std::fwrite(block.data(), 1, n, out);
            left -= n;
        }
    }
    std::fwrite(text.data(), 1, text.size(), out);
    return 0;
}
