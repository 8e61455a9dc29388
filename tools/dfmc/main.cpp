// dfmc: compiles a window description source into the binary description the
// program carries as a resource.
//
//   dfmc [-I folder]... [--form Class]... [-d depfile] -o output source
//
// --form names a form class that publishes nothing beyond TForm's (a program's own
// window classes, which the tool cannot know otherwise);
// -I adds a folder to search for the files that `file "..."` values name; -d writes
// a make-style dependency file listing the source and every file read, so that the
// build compiles again when a picture or a container changes. Errors go to stderr
// as "file:line: what is wrong" and the exit code is 1; nothing is written then.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "DescriptionCompiler.h"
#include "installer/ProductSchemas.h"
#include "toolkit/ToolkitSchemas.h"

namespace {

struct Options {
  std::vector<std::string> searchPath;
  std::vector<std::string> formClasses;
  std::string depfile;
  std::string output;
  std::string source;
};

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasNext = i + 1 < argc;
    if (arg == "-I" && hasNext) options.searchPath.push_back(argv[++i]);
    else if (arg.rfind("-I", 0) == 0 && arg.size() > 2) options.searchPath.push_back(arg.substr(2));
    else if (arg == "--form" && hasNext) options.formClasses.push_back(argv[++i]);
    else if (arg == "-d" && hasNext) options.depfile = argv[++i];
    else if (arg == "-o" && hasNext) options.output = argv[++i];
    else if (!arg.empty() && arg[0] != '-' && options.source.empty()) options.source = arg;
    else return false;
  }
  return !options.output.empty() && !options.source.empty();
}

// Make's rules: a blank in a name is escaped.
std::string DepName(const std::string& name) {
  std::string escaped;
  for (char c : name) {
    if (c == ' ') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    std::cerr << "usage: dfmc [-I folder]... [--form Class]... [-d depfile] -o output source\n";
    return 2;
  }
  std::vector<std::uint8_t> source;
  if (!ReadWholeFile(options.source, source)) {
    std::cerr << options.source << ": cannot read the source\n";
    return 1;
  }
  const std::string text(source.begin(), source.end());

  // Every class a description of this product can name.
  SchemaRegistry schemas;
  AddToolkitSchemas(schemas);
  AddProductSchemas(schemas);
  CompiledDescription compiled;
  try {
    for (const std::string& formClass : options.formClasses) {
      if (!schemas.FindClass(formClass)) schemas.AddClass(formClass, "TForm");
    }
    compiled = CompileDescription(text, options.source, options.searchPath, schemas);
  } catch (const ECompileError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << options.source << ": " << e.what() << "\n";
    return 1;
  }

  const std::string bytes(compiled.bytes.begin(), compiled.bytes.end());
  if (!WriteFile(options.output, bytes)) {
    std::cerr << options.output << ": cannot write the description\n";
    std::remove(options.output.c_str());
    return 1;
  }
  if (!options.depfile.empty()) {
    std::ostringstream deps;
    deps << DepName(options.output) << ":";
    deps << " " << DepName(options.source);
    for (const std::string& file : compiled.inputFiles) deps << " " << DepName(file);
    deps << "\n";
    if (!WriteFile(options.depfile, deps.str())) {
      std::cerr << options.depfile << ": cannot write the dependency file\n";
      return 1;
    }
  }
  return 0;
}
