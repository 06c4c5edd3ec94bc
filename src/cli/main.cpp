// tagloom-link: a Tagloom keyword table applied to text and HTML files from the command line.
#include "TagloomLink.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return runTagloomLink(args);
}
