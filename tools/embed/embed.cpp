// Writes a C++ source file that carries the given files as byte arrays:
//   embed OUT.cpp FUNCTION FILE...
// The source defines `std::span<const TEmbeddedFile> FUNCTION()` listing the files by their
// base names, in the order given.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: embed OUT.cpp FUNCTION FILE...\n");
    return 2;
  }
  const std::string outName = argv[1], function = argv[2];
  std::string out = "#include \"data/embedded.h\"\n\nnamespace {\n";
  std::vector<std::string> names;
  for (int i = 3; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "embed: cannot read %s\n", argv[i]);
      return 1;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    out += "const unsigned char f" + std::to_string(i - 3) + "[] = {";
    for (size_t k = 0; k < bytes.size(); ++k) {
      if (k % 24 == 0) out += "\n";
      out += std::to_string(bytes[k]) + ",";
    }
    if (bytes.empty()) out += "0";
    out += "};\n";
    names.push_back(std::filesystem::path(argv[i]).filename().string());
  }
  out += "const TEmbeddedFile files[] = {\n";
  for (size_t i = 0; i < names.size(); ++i)
    out += "  {\"" + names[i] + "\", f" + std::to_string(i) + ", sizeof f" + std::to_string(i) +
           "},\n";
  if (names.empty()) out += "  {\"\", nullptr, 0},\n";
  out += "};\n}  // namespace\n\nstd::span<const TEmbeddedFile> " + function + "() {\n";
  out += names.empty() ? "  return {};\n" : "  return files;\n";
  out += "}\n";
  // Write only when changed, so an unchanged file does not rebuild what depends on it.
  std::ifstream old(outName, std::ios::binary);
  const std::string previous{std::istreambuf_iterator<char>(old), {}};
  if (previous == out) return 0;
  std::ofstream o(outName, std::ios::binary);
  o << out;
  return o ? 0 : 1;
}
