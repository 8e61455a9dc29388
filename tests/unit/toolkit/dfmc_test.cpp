// The description compiler: a source compiles to the stream the component writer
// would write for the same components, and every fault is reported as file:line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "DescriptionWriting.h"
#include "ProbeComponents.h"
#include "installer/ProductSchemas.h"
#include "toolkit/DescriptionLoader.h"
#include "toolkit/DescriptionReader.h"
#include "toolkit/ToolkitSchemas.h"
#include "tools/dfmc/DescriptionCompiler.h"

namespace {

// A folder of its own for the files a source names.
class Folder {
 public:
  Folder() {
    char name[] = "/tmp/dfmc_test_XXXXXX";
    path_ = mkdtemp(name);
  }
  ~Folder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string full = path_ + "/" + name;
    std::ofstream(full, std::ios::binary) << bytes;
    return full;
  }

 private:
  std::string path_;
};

// Property paths of each record, in stream order.
std::vector<std::vector<std::string>> PathsOf(const std::vector<std::uint8_t>& bytes) {
  TSpanStream in(bytes.data(), bytes.size());
  DescriptionReader reader(in);
  std::vector<std::vector<std::string>> records;
  for (int i = 0; i < reader.RecordCount(); ++i) {
    std::string className, name, path;
    reader.ReadRecordHead(className, name);
    records.emplace_back();
    PropertyValue value;
    while (reader.ReadProperty(path, value)) records.back().push_back(path);
  }
  reader.ExpectEnd();
  return records;
}

const char* kProbeSource = R"(# a probe form
object Form1: TProbeForm
  OnCreate = Ping
  Caption = "Probe " + "form"
  object First: TProbe
    Data = file "data.bin"
    Settings.Inner.Folder = "Drivers"
    Lines = (
      "D5200=Type0009.md3"
      ""
      "Z50=Type0025.md3"
    )
    Number = -12
    Flag = false
    Mode = pmFast
    Options = [poA, poC]
    Colour = clBtnFace
    Text = "with \"quotes\"\r\n"
    Settings.Active = true
    OnPing = Ping
    OnCount = Count
    Picture = file "probe.bmp"
  end
  object Second: TProbe
    Number = 7             # the declared default
    Settings.Inner.Folder = "none"
    Options = []
  end
end
)";

TEST(Dfmc, SourceStreamComponentsStreamAgainGivesTheSameBytes) {
  Folder folder;
  folder.Write("data.bin", std::string("SFP1\0\0\0\0", 8));
  folder.Write("probe.bmp", "BM\x01\x02\x03");
  ProbeWorld world;
  const CompiledDescription compiled =
      CompileDescription(kProbeSource, "probe.txt", {folder.Path()}, world.schemas);
  EXPECT_EQ(compiled.inputFiles,
            (std::vector<std::string>{folder.Path() + "/data.bin", folder.Path() + "/probe.bmp"}));

  // Declared order whatever the source's order; defaults gone.
  const auto paths = PathsOf(compiled.bytes);
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_EQ(paths[0], (std::vector<std::string>{"Caption", "OnCreate"}));
  EXPECT_EQ(paths[1],
            (std::vector<std::string>{"Flag", "Number", "Mode", "Options", "Colour", "Text",
                                      "Lines", "Settings.Active", "Settings.Inner.Folder", "OnPing",
                                      "OnCount", "Picture", "Data"}));
  EXPECT_TRUE(paths[2].empty());

  TProbeForm form;
  form.handlers.Add("Ping", &form, &TProbeForm::Ping);
  form.handlers.Add("Count", &form, &TProbeForm::Count);
  TSpanStream in(compiled.bytes.data(), compiled.bytes.size());
  LoadDescription(form, in, world.bindings, form.handlers);
  const auto& first = dynamic_cast<const TProbe&>(*form.FindComponent("First"));
  EXPECT_EQ(form.Caption, "Probe form");
  EXPECT_EQ(first.Options, 5u);
  EXPECT_EQ(first.Colour, static_cast<std::int32_t>(0x8000000F));
  EXPECT_EQ(first.Text, "with \"quotes\"\r\n");
  EXPECT_EQ(first.Data.size(), 8u);

  TMemoryStream again;
  WriteDescription(form, again, world.bindings);
  EXPECT_EQ(std::vector<std::uint8_t>(again.Data(), again.Data() + again.Size()), compiled.bytes);
}

// Compiles a source against the probe classes and returns the error text.
std::string ErrorOf(const std::string& source, const std::vector<std::string>& searchPath = {}) {
  ProbeWorld world;
  try {
    CompileDescription(source, "window.txt", searchPath, world.schemas);
  } catch (const ECompileError& e) {
    return e.what();
  }
  return "compiled";
}

std::string InProbe(const std::string& lines) {
  return "object Form1: TProbeForm\n  object P: TProbe\n" + lines + "  end\nend\n";
}

TEST(Dfmc, ReportsUnknownNamesWithFileAndLine) {
  EXPECT_EQ(ErrorOf("object Form1: TProbeForm\n\n  object P: TGhost\n  end\nend\n"),
            "window.txt:3: unknown class TGhost");
  EXPECT_EQ(ErrorOf(InProbe("    Flag = true\n    Colour2 = 0\n")),
            "window.txt:4: TProbe has no property Colour2");
  EXPECT_EQ(ErrorOf(InProbe("    Settings.Inner.Nothing = \"x\"\n")),
            "window.txt:3: TProbeInner has no property Nothing");
  EXPECT_EQ(ErrorOf(InProbe("    Flag.Inner = true\n")),
            "window.txt:3: TProbe.Flag is a bool and has no properties of its own");
  EXPECT_EQ(ErrorOf(InProbe("    Mode = pmTurbo\n")),
            "window.txt:3: pmTurbo is not a value of TProbeMode");
  EXPECT_EQ(ErrorOf(InProbe("    Options = [poA, poZ]\n")),
            "window.txt:3: poZ is not a value of TProbeOptions");
  EXPECT_EQ(ErrorOf(InProbe("    Colour = clPaleMauve\n")),
            "window.txt:3: unknown colour clPaleMauve");
  EXPECT_EQ(ErrorOf(InProbe("    Size = 3\n")),
            "window.txt:3: Size is never stored: it follows from other values");
  EXPECT_EQ(ErrorOf("object Form1: TProbeInner\nend\n"),
            "window.txt:1: TProbeInner is not a component class");
}

TEST(Dfmc, ReportsValuesOfTheWrongType) {
  EXPECT_EQ(ErrorOf(InProbe("    Flag = \"yes\"\n")),
            "window.txt:3: Flag is a bool property: it takes true or false, not a string");
  EXPECT_EQ(ErrorOf(InProbe("    Text = 12\n")),
            "window.txt:3: Text is a string property: it takes a string, not a number");
  EXPECT_EQ(ErrorOf(InProbe("    Lines = \"one\"\n")),
            "window.txt:3: Lines is a string list property: it takes a string list, not a string");
  EXPECT_EQ(ErrorOf(InProbe("    Data = \"bytes\"\n")),
            "window.txt:3: Data is a binary property: it takes file \"name\", not a string");
  EXPECT_EQ(ErrorOf(InProbe("    OnPing = \"Ping\"\n")),
            "window.txt:3: OnPing is an event property: it takes a handler name, not a string");
  EXPECT_EQ(ErrorOf(InProbe("    Settings = true\n")),
            "window.txt:3: Settings is an object: set its properties (Settings.Name = ...)");
  EXPECT_EQ(ErrorOf(InProbe("    Number = 4294967296\n")),
            "window.txt:3: number too large: 4294967296...");
  EXPECT_EQ(ErrorOf(InProbe("    Number = -2147483649\n")),
            "window.txt:3: Number: -2147483649 does not fit in 32 bits");
}

TEST(Dfmc, ReportsMissingAndMalformedFiles) {
  Folder folder;
  EXPECT_EQ(ErrorOf(InProbe("    Data = file \"FileStoMD3.sfp\"\n"), {folder.Path()}),
            "window.txt:3: cannot find file FileStoMD3.sfp (searched " + folder.Path() + ", .)");
  folder.Write("splash.bmp", "GIF89a");
  EXPECT_EQ(ErrorOf(InProbe("    Picture = file \"splash.bmp\"\n"), {folder.Path()}),
            "window.txt:3: splash.bmp is not a BMP file");
  mkdir((folder.Path() + "/pictures").c_str(), 0755);
  EXPECT_EQ(ErrorOf(InProbe("    Picture = file \"pictures\"\n"), {folder.Path()}),
            "window.txt:3: cannot read file pictures: " + folder.Path() + "/pictures: is a folder");
}

TEST(Dfmc, ReportsSyntaxAndStructureFaults) {
  EXPECT_EQ(ErrorOf(InProbe("    Text = \"open\n")),
            "window.txt:3: string without its closing quote");
  EXPECT_EQ(ErrorOf(InProbe("    Text = \"\\q\"\n")), "window.txt:3: unknown escape \\q");
  EXPECT_EQ(ErrorOf(InProbe("    Text \"x\"\n")), "window.txt:3: '=' expected");
  EXPECT_EQ(ErrorOf(InProbe("    Flag = true\n    Flag = false\n")),
            "window.txt:4: Flag is set twice (first on line 3)");
  EXPECT_EQ(ErrorOf("object Form1: TProbeForm\n  object P: TProbe\n    object Q: TProbe\n    end\n "
                    " end\nend\n"),
            "window.txt:3: components inside P: only the form holds components");
  EXPECT_EQ(
      ErrorOf(
          "object Form1: TProbeForm\n  object P: TProbe\n  end\n  object P: TProbe\n  end\nend\n"),
      "window.txt:4: a second component named P (the first is on line 2)");
  EXPECT_EQ(ErrorOf("object Form1: TProbeForm\n  object P: TProbe\n  end\n"),
            "window.txt:1: object Form1 has no end");
  EXPECT_EQ(ErrorOf("object Form1: TProbeForm\nend\nobject Form2: TProbeForm\nend\n"),
            "window.txt:3: text after the form's final end");
}

// The product's own classes compile: the window's settings as the installer needs them.
TEST(Dfmc, CompilesTheProductClasses) {
  Folder folder;
  folder.Write("FileStoPTP1.sfp", std::string("SFP1\0\0\0\0", 8));
  const std::string source = R"(object FormServicePack: TFormServicePack
  Caption = "Halvora plugin installation"
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu, biMinimize]
  ClientWidth = 446
  ClientHeight = 326
  Position = poScreenCenter
  Color = clBtnFace
  Font.Name = "Segoe UI"
  Font.Height = -12
  Scaled = false
  OnCreate = FormCreate
  object Label1: TLabel
    Caption = "Halvora plugin for Nikon(TM) cameras"
    Font.Name = "Arial"
    Font.Height = -16
    Font.Style = [fsBold]
    Font.Color = clBlack
    ParentFont = false
  end
  object ButInstall: TXMButton
    Left = 8
    Top = 288
    Width = 95
    Height = 30
    Enabled = false
    BitmapKind = bkOk
    OffX = 2
    OnClick = ButInstallClick
  end
  object opendlg: TOpenDialog
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
  object FileStoPTP1: TFileStorage
    AutoExtract.ExtractTo.CreatePath = true
    StoredData = file "FileStoPTP1.sfp"
  end
end
)";
  SchemaRegistry schemas;
  AddToolkitSchemas(schemas);
  AddProductSchemas(schemas);
  const CompiledDescription compiled =
      CompileDescription(source, "Unit1.txt", {folder.Path()}, schemas);
  const auto paths = PathsOf(compiled.bytes);
  ASSERT_EQ(paths.size(), 5u);
  EXPECT_EQ(paths[0], (std::vector<std::string>{"Caption", "Font.Height", "Font.Name",
                                                "BorderStyle", "BorderIcons", "ClientWidth",
                                                "ClientHeight", "Position", "Scaled", "OnCreate"}));
  EXPECT_EQ(paths[4], (std::vector<std::string>{"StoredData"}));  // CreatePath true is the default

  std::string error;
  try {
    CompileDescription(
        "object F: TFormServicePack\n  object S: TFileStorage\n    Count = 3\n  end\nend\n",
        "u.txt", {}, schemas);
  } catch (const ECompileError& e) {
    error = e.what();
  }
  EXPECT_EQ(error, "u.txt:3: Count is never stored: it follows from other values");
}

TEST(Dfmc, TheDocumentedExampleCompilesToTheDocumentedBytes) {
  SchemaRegistry schemas;
  AddToolkitSchemas(schemas);
  AddProductSchemas(schemas);
  const std::vector<std::uint8_t> expected = {
      'H', 'V', 'W', 'D', 1,   0,   0,   0,   2,   0,   0,   0,   16,  'T', 'F', 'o', 'r', 'm', 'S',
      'e', 'r', 'v', 'i', 'c', 'e', 'P', 'a', 'c', 'k', 1,   'F', 5,   7,   'C', 'a', 'p', 't', 'i',
      'o', 'n', 2,   0,   0,   0,   'H', 'i', 0,   7,   'T', 'T', 'X', 'T', 'D', 'a', 't', 1,   'P',
      6,   5,   'L', 'i', 'n', 'e', 's', 1,   0,   0,   0,   3,   0,   0,   0,   'A', '=', 'B', 0};
  const CompiledDescription compiled = CompileDescription(
      "object F: TFormServicePack\n  Caption = \"Hi\"\n  object P: TTXTDat\n    Lines = "
      "(\"A=B\")\n  end\nend\n",
      "example.txt", {}, schemas);
  EXPECT_EQ(compiled.bytes, expected);
  EXPECT_EQ(expected.size(), 76u);
}

TEST(Dfmc, TheToolExitsNonZeroAndWritesNothingOnError) {
  Folder folder;
  const std::string bad =
      folder.Write("bad.txt", "object F: TFormServicePack\n  Captoin = \"x\"\nend\n");
  const std::string out = folder.Path() + "/out.bin";
  const std::string log = folder.Path() + "/log.txt";
  const int status =
      std::system((std::string(DFMC_PATH) + " -o " + out + " " + bad + " 2>" + log).c_str());
  EXPECT_NE(status, 0);
  std::ifstream message(log);
  std::string line;
  std::getline(message, line);
  EXPECT_EQ(line, bad + ":2: TFormServicePack has no property Captoin");
  EXPECT_FALSE(std::ifstream(out).good());

  const std::string good =
      folder.Write("good.txt", "object F: TFormServicePack\n  Caption = \"x\"\nend\n");
  const std::string deps = folder.Path() + "/good.d";
  EXPECT_EQ(
      std::system((std::string(DFMC_PATH) + " -d " + deps + " -o " + out + " " + good).c_str()), 0);
  EXPECT_TRUE(std::ifstream(out).good());
  std::ifstream depfile(deps);
  std::getline(depfile, line);
  EXPECT_EQ(line, out + ": " + good);

  // What the tool cannot write it leaves as it was: a folder, a read-only file, and
  // the last description when the dependency file cannot be written.
  const auto run = [&](const std::string& arguments) {
    return std::system((std::string(DFMC_PATH) + " " + arguments + " 2>" + log).c_str());
  };
  const std::string folderOut = folder.Path() + "/empty";
  mkdir(folderOut.c_str(), 0755);
  EXPECT_NE(run("-o " + folderOut + " " + good), 0);
  struct stat info{};
  EXPECT_TRUE(stat(folderOut.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
  const std::string readOnly = folder.Write("kept.bin", "old");
  chmod(readOnly.c_str(), 0444);
  EXPECT_NE(run("-o " + readOnly + " " + good), 0);
  const std::string lastOut = folder.Write("last.bin", "last");
  EXPECT_NE(run("-d " + folder.Path() + "/no/such.d -o " + lastOut + " " + good), 0);
  for (const auto& [path, bytes] : {std::pair{readOnly, "old"}, std::pair{lastOut, "last"}}) {
    std::ifstream kept(path);
    std::getline(kept, line);
    EXPECT_EQ(line, bytes) << path;
  }
}

}  // namespace
