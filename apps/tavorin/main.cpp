#include <cstring>
#include <iostream>

#include "platform/build_info.hpp"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "Tavorin " << tavorin::build::version << "\n";
      return 0;
    }
  }
  std::cout << "Tavorin " << tavorin::build::version << "\n";
  return 0;
}
