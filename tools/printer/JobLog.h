#pragma once

#include <string>
#include <string_view>

namespace plintor::printer {

// The file that every job received is appended to, byte for byte (nothing added between
// jobs), so that tests compare it with what they sent. No file: nothing is kept.
class CJobLog {
public:
    explicit CJobLog(std::string path) : path(std::move(path)) {}
    void Append(std::string_view bytes) const;

private:
    std::string path;
};

}
