#include "installer/ProductSchemas.h"

void AddProductSchemas(SchemaRegistry& schemas) {
  const TypeNames& bitmapKind =
      schemas.AddNames("TBitmapKind", {"bkNone", "bkCustom", "bkOk", "bkCancel", "bkHelp"});
  schemas.AddClass("TXMButton", "TButton")
      .Picture("Bitmap")
      .Bool("Down", false)
      .Int32("OffX", 0)
      .Int32("OffY", 0)
      .Bool("HideFocus", false)
      .Enum("BitmapKind", bitmapKind, 0)
      .Bool("HotTrack", false)
      .Event("OnMouseEnter")
      .Event("OnMouseExit");

  const TypeNames& toplevelDir = schemas.AddNames(
      "TToplevelDir", {"tdCurrentDir", "tdWindowsDir", "tdTempDir", "tdSystemDir", "tdMediaDir",
                       "tdCursorsDir", "tdHelpDir", "tdSamplesDir", "tdDesktop", "tdProgramFiles",
                       "tdMyDocuments", "tdMyPictures", "tdAppData", "tdNone"});
  const TypeNames& overwrite =
      schemas.AddNames("TFileStorageOverwrite", {"owIfSizeDifferent", "owNever", "owAlways"});
  const ClassSchema& extractTo = schemas.AddClass("TExtractTo")
                                     .Bool("CreatePath", true)
                                     .Enum("ToplevelDir", toplevelDir, 0)
                                     .String("Subdirectory");
  const ClassSchema& autoExtract = schemas.AddClass("TAutoExtract")
                                       .Bool("Enabled", false)
                                       .Object("ExtractTo", extractTo)
                                       .Enum("Overwrite", overwrite, 0)
                                       .Bool("RemoveOnTerminate", false);
  schemas.AddClass("TFileStorage", "TComponent")
      .Object("AutoExtract", autoExtract)
      .NeverStored("Count", PropertyKind::Int32)
      .NeverStored("DataSize", PropertyKind::Int32)
      .NeverStored("Files", PropertyKind::Object)
      .Event("OnExtract")
      .Event("OnExtracted")
      .Binary("StoredData");

  schemas.AddClass("TTXTDat", "TComponent").Strings("Lines");

  // The installer window publishes nothing beyond the form's.
  schemas.AddClass("TFormServicePack", "TForm");
}
