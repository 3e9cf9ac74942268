#pragma once

// The tag codes of the file format, with their names and the file version
// that brought each one in. The reader's dispatch, the writer and the
// inspection tool's names all come from this one table.

#include <array>
#include <cstdint>

namespace yelvanis::swf {

namespace tag {
enum Code : uint16_t {
    End = 0, ShowFrame = 1, DefineShape = 2, PlaceObject = 4, RemoveObject = 5, DefineBits = 6, DefineButton = 7,
    JpegTables = 8, SetBackgroundColor = 9, DefineFont = 10, DefineText = 11, DoAction = 12, DefineFontInfo = 13,
    DefineSound = 14, StartSound = 15, DefineButtonSound = 17, SoundStreamHead = 18, SoundStreamBlock = 19,
    DefineBitsLossless = 20, DefineBitsJpeg2 = 21, DefineShape2 = 22, DefineButtonCxform = 23, Protect = 24,
    PlaceObject2 = 26, RemoveObject2 = 28, DefineShape3 = 32, DefineText2 = 33, DefineButton2 = 34,
    DefineBitsJpeg3 = 35, DefineBitsLossless2 = 36, DefineEditText = 37, DefineSprite = 39, ProductInfo = 41,
    FrameLabel = 43, SoundStreamHead2 = 45, DefineMorphShape = 46, DefineFont2 = 48, ExportAssets = 56,
    ImportAssets = 57, EnableDebugger = 58, DoInitAction = 59, DefineVideoStream = 60, VideoFrame = 61,
    DefineFontInfo2 = 62, DebugId = 63, EnableDebugger2 = 64, ScriptLimits = 65, SetTabIndex = 66,
    FileAttributes = 69, PlaceObject3 = 70, ImportAssets2 = 71, DoAbcOld = 72, DefineFontAlignZones = 73,
    CsmTextSettings = 74, DefineFont3 = 75, SymbolClass = 76, Metadata = 77, DefineScalingGrid = 78, DoAbc = 82,
    DefineShape4 = 83, DefineMorphShape2 = 84, DefineSceneAndFrameLabelData = 86, DefineBinaryData = 87,
    DefineFontName = 88, StartSound2 = 89, DefineBitsJpeg4 = 90, DefineFont4 = 91, EnableTelemetry = 93,
    PlaceObject4 = 94,
};
} // namespace tag

struct TagKind {
    uint16_t code;
    const char* name;
    uint8_t version;       // first file version that has it
    bool definesCharacter; // its body starts with the id of a new character
};

// Sorted by code. Tags the format's description leaves out (ProductInfo,
// DebugID, DoABC 72, PlaceObject4) carry the version they first appear in.
inline constexpr std::array<TagKind, 69> kTags { {
    { tag::End, "End", 1, false },
    { tag::ShowFrame, "ShowFrame", 1, false },
    { tag::DefineShape, "DefineShape", 1, true },
    { tag::PlaceObject, "PlaceObject", 1, false },
    { tag::RemoveObject, "RemoveObject", 1, false },
    { tag::DefineBits, "DefineBits", 1, true },
    { tag::DefineButton, "DefineButton", 1, true },
    { tag::JpegTables, "JPEGTables", 1, false },
    { tag::SetBackgroundColor, "SetBackgroundColor", 1, false },
    { tag::DefineFont, "DefineFont", 1, true },
    { tag::DefineText, "DefineText", 1, true },
    { tag::DoAction, "DoAction", 3, false },
    { tag::DefineFontInfo, "DefineFontInfo", 1, false },
    { tag::DefineSound, "DefineSound", 1, true },
    { tag::StartSound, "StartSound", 1, false },
    { tag::DefineButtonSound, "DefineButtonSound", 2, false },
    { tag::SoundStreamHead, "SoundStreamHead", 1, false },
    { tag::SoundStreamBlock, "SoundStreamBlock", 1, false },
    { tag::DefineBitsLossless, "DefineBitsLossless", 2, true },
    { tag::DefineBitsJpeg2, "DefineBitsJPEG2", 2, true },
    { tag::DefineShape2, "DefineShape2", 2, true },
    { tag::DefineButtonCxform, "DefineButtonCxform", 2, false },
    { tag::Protect, "Protect", 2, false },
    { tag::PlaceObject2, "PlaceObject2", 3, false },
    { tag::RemoveObject2, "RemoveObject2", 3, false },
    { tag::DefineShape3, "DefineShape3", 3, true },
    { tag::DefineText2, "DefineText2", 3, true },
    { tag::DefineButton2, "DefineButton2", 3, true },
    { tag::DefineBitsJpeg3, "DefineBitsJPEG3", 3, true },
    { tag::DefineBitsLossless2, "DefineBitsLossless2", 3, true },
    { tag::DefineEditText, "DefineEditText", 4, true },
    { tag::DefineSprite, "DefineSprite", 3, true },
    { tag::ProductInfo, "ProductInfo", 3, false },
    { tag::FrameLabel, "FrameLabel", 3, false },
    { tag::SoundStreamHead2, "SoundStreamHead2", 3, false },
    { tag::DefineMorphShape, "DefineMorphShape", 3, true },
    { tag::DefineFont2, "DefineFont2", 3, true },
    { tag::ExportAssets, "ExportAssets", 5, false },
    { tag::ImportAssets, "ImportAssets", 5, false },
    { tag::EnableDebugger, "EnableDebugger", 5, false },
    { tag::DoInitAction, "DoInitAction", 6, false },
    { tag::DefineVideoStream, "DefineVideoStream", 6, true },
    { tag::VideoFrame, "VideoFrame", 6, false },
    { tag::DefineFontInfo2, "DefineFontInfo2", 6, false },
    { tag::DebugId, "DebugID", 6, false },
    { tag::EnableDebugger2, "EnableDebugger2", 6, false },
    { tag::ScriptLimits, "ScriptLimits", 7, false },
    { tag::SetTabIndex, "SetTabIndex", 7, false },
    { tag::FileAttributes, "FileAttributes", 8, false },
    { tag::PlaceObject3, "PlaceObject3", 8, false },
    { tag::ImportAssets2, "ImportAssets2", 8, false },
    { tag::DoAbcOld, "DoABC", 9, false },
    { tag::DefineFontAlignZones, "DefineFontAlignZones", 8, false },
    { tag::CsmTextSettings, "CSMTextSettings", 8, false },
    { tag::DefineFont3, "DefineFont3", 8, true },
    { tag::SymbolClass, "SymbolClass", 9, false },
    { tag::Metadata, "Metadata", 1, false },
    { tag::DefineScalingGrid, "DefineScalingGrid", 8, false },
    { tag::DoAbc, "DoABC", 9, false },
    { tag::DefineShape4, "DefineShape4", 8, true },
    { tag::DefineMorphShape2, "DefineMorphShape2", 8, true },
    { tag::DefineSceneAndFrameLabelData, "DefineSceneAndFrameLabelData", 9, false },
    { tag::DefineBinaryData, "DefineBinaryData", 9, true },
    { tag::DefineFontName, "DefineFontName", 9, false },
    { tag::StartSound2, "StartSound2", 9, false },
    { tag::DefineBitsJpeg4, "DefineBitsJPEG4", 10, true },
    { tag::DefineFont4, "DefineFont4", 10, true },
    { tag::EnableTelemetry, "EnableTelemetry", 19, false },
    { tag::PlaceObject4, "PlaceObject4", 19, false },
} };

// The table's row for a code, or null for a code the format does not have.
const TagKind* findTag(uint16_t code);

} // namespace yelvanis::swf
