#include "cli/run.h"

int main(int argc, char** argv) {
    return kvtx::cli::RunNative(std::vector<std::string>(argv, argv + argc));
}
