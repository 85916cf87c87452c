#include <cstdio>

int main() {
  std::puts("Tarvelle");
  return 0;
}
