#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("plintor 0.1.0");
            return 0;
        }
    }
    std::fputs("plintor: start-up is not built yet\n", stderr);
    return 1;
}
