// How every tool of ours answers its command line: --help (or -h) prints the
// usage on standard output and succeeds; a bad argument is refused with one
// line on standard error and exit code 2, before any work starts.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace yelvanis::tools {

class Usage {
public:
    // text: the whole usage, its first line "usage: NAME ...".
    Usage(const char* name, const char* text) : m_name(name), m_text(text) { }

    // Prints the usage and ends the tool when any argument asks for help.
    void answerHelp(int argc, char** argv) const
    {
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
                std::fputs(m_text, stdout);
                std::exit(0);
            }
        }
    }

    [[noreturn]] void refuse(const std::string& why) const
    {
        std::fprintf(stderr, "%s: %s (see %s --help)\n", m_name, why.c_str(), m_name);
        std::exit(2);
    }

    // A whole number in [low, high], or the tool refuses the argument.
    long long number(const char* arg, long long low, long long high) const
    {
        char* end = nullptr;
        errno = 0;
        const long long n = std::strtoll(arg, &end, 10);
        if (errno != 0 || end == arg || *end != '\0' || n < low || n > high)
            refuse(std::string("not a whole number from ") + std::to_string(low) + " to " + std::to_string(high) + ": '" + arg + "'");
        return n;
    }

private:
    const char* m_name;
    const char* m_text;
};

} // namespace yelvanis::tools
