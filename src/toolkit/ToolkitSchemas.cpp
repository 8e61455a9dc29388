#include "toolkit/ToolkitSchemas.h"

#include "toolkit/Color.h"

void AddToolkitSchemas(SchemaRegistry& schemas) {
  const TypeNames& fontStyles =
      schemas.AddNames("TFontStyles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  const TypeNames& formBorderStyle = schemas.AddNames(
      "TFormBorderStyle",
      {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  const TypeNames& borderIcons =
      schemas.AddNames("TBorderIcons", {"biSystemMenu", "biMinimize", "biMaximize"});
  const TypeNames& position =
      schemas.AddNames("TPosition", {"poDesigned", "poDefault", "poScreenCenter"});
  const TypeNames& borderStyle = schemas.AddNames("TBorderStyle", {"bsNone", "bsSingle"});
  const TypeNames& scrollStyle =
      schemas.AddNames("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  const TypeNames& bevelShape = schemas.AddNames(
      "TBevelShape",
      {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
  const TypeNames& bevelStyle = schemas.AddNames("TBevelStyle", {"bsLowered", "bsRaised"});
  const TypeNames& comboStyle =
      schemas.AddNames("TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList"});
  const TypeNames& openOptions = schemas.AddNames("TOpenOptions", {"ofReadOnly",
                                                                   "ofOverwritePrompt",
                                                                   "ofHideReadOnly",
                                                                   "ofNoChangeDir",
                                                                   "ofShowHelp",
                                                                   "ofNoValidate",
                                                                   "ofAllowMultiSelect",
                                                                   "ofExtensionDifferent",
                                                                   "ofPathMustExist",
                                                                   "ofFileMustExist",
                                                                   "ofCreatePrompt",
                                                                   "ofShareAware",
                                                                   "ofNoReadOnlyReturn",
                                                                   "ofNoTestFileCreate",
                                                                   "ofNoNetworkButton",
                                                                   "ofNoLongNames",
                                                                   "ofOldStyleDialog",
                                                                   "ofNoDereferenceLinks",
                                                                   "ofEnableIncludeNotify",
                                                                   "ofEnableSizing"});

  schemas.AddClass("TComponent");

  const ClassSchema& font = schemas.AddClass("TFont")
                                .Int32("Charset", 1)
                                .Colour("Color", clWindowText)
                                .Int32("Height", -11)
                                .String("Name", "MS Sans Serif")
                                .Set("Style", fontStyles, 0);

  schemas.AddClass("TControl", "TComponent")
      .Int32("Left", 0)
      .Int32("Top", 0)
      .Int32("Width", 0)
      .Int32("Height", 0)
      .String("Caption")
      .Colour("Color", clWindow)
      .Bool("ParentColor", true)
      .Object("Font", font)
      .Bool("ParentFont", true)
      .Bool("Enabled", true)
      .Bool("Visible", true)
      .Event("OnClick");

  schemas.AddClass("TWinControl", "TControl").Int32("TabOrder", -1).Bool("TabStop", false);

  schemas.AddClass("TForm", "TWinControl")
      .NeverStored("Width", PropertyKind::Int32)  // follows ClientWidth and the frame
      .NeverStored("Height", PropertyKind::Int32)
      .Colour("Color", clBtnFace)
      .Bool("ParentColor", false)
      .Bool("ParentFont", false)
      .Bool("Visible", false)
      .Enum("BorderStyle", formBorderStyle, 2)
      .Set("BorderIcons", borderIcons, 0x7)
      .Int32("ClientWidth", 0)
      .Int32("ClientHeight", 0)
      .Enum("Position", position, 0)
      .Bool("Scaled", true)
      .Int32("PixelsPerInch", 96)
      .Event("OnCreate");

  // Decorations: windows of their own here, but never in the tab order, so they
  // publish what every control does and nothing about tabbing.
  schemas.AddClass("TImage", "TControl").Bool("AutoSize", false).Picture("Picture");
  schemas.AddClass("TLabel", "TControl");
  schemas.AddClass("TBevel", "TControl").Enum("Shape", bevelShape, 0).Enum("Style", bevelStyle, 0);

  schemas.AddClass("TRichEdit", "TWinControl")
      .Bool("ParentColor", false)
      .Bool("TabStop", true)
      .Enum("BorderStyle", borderStyle, 1)
      .Bool("PlainText", false)
      .Bool("ReadOnly", false)
      .Enum("ScrollBars", scrollStyle, 0)
      .Bool("WordWrap", true)
      .Strings("Lines");

  schemas.AddClass("TComboBox", "TWinControl")
      .Int32("Width", 145)
      .Int32("Height", 21)
      .Bool("ParentColor", false)
      .Bool("TabStop", true)
      .Enum("Style", comboStyle, 0)
      .Int32("ItemHeight", 16)
      .Int32("DropDownCount", 8)
      .Strings("Items")
      .Int32("ItemIndex", -1)
      .Event("OnChange");

  schemas.AddClass("TButton", "TWinControl")
      .Int32("Width", 75)
      .Int32("Height", 25)
      .Bool("TabStop", true)
      .Bool("Default", false);

  schemas.AddClass("TOpenDialog", "TComponent")
      .String("DefaultExt")
      .String("FileName")
      .String("Filter")
      .Int32("FilterIndex", 1)
      .String("InitialDir")
      .Set("Options", openOptions, (1u << 2) | (1u << 19))  // ofHideReadOnly, ofEnableSizing
      .String("Title");
}
