// Every tag the parser reads, one line each: TAG(code, scope, handler). Scope Control:
// read on the main timeline and in sprites; Definition: main timeline only. A new tag
// kind is a handler in its own file under tags/ plus its line here. No include guard:
// the list is expanded once for the declarations and once for the table.

// Frames and the display list.
TAG(kEnd, Control, readEnd)
TAG(kShowFrame, Control, readShowFrame)
TAG(kFrameLabel, Control, readFrameLabel)
TAG(kPlaceObject, Control, readPlaceObject)
TAG(kPlaceObject2, Control, readPlaceObject)
TAG(kPlaceObject3, Control, readPlaceObject)
TAG(kRemoveObject, Control, readRemoveObject)
TAG(kRemoveObject2, Control, readRemoveObject)

// Actions.
TAG(kDoAction, Control, readDoAction)
TAG(kDoInitAction, Definition, readDoInitAction)

// Sounds.
TAG(kDefineSound, Definition, readDefineSound)
TAG(kStartSound, Control, readStartSound)
TAG(kStartSound2, Control, readStartSound)
TAG(kSoundStreamHead, Control, readSoundStreamHead)
TAG(kSoundStreamHead2, Control, readSoundStreamHead)
TAG(kSoundStreamBlock, Control, readSoundStreamBlock)

// Shapes and morph shapes.
TAG(kDefineShape, Definition, readDefineShape)
TAG(kDefineShape2, Definition, readDefineShape)
TAG(kDefineShape3, Definition, readDefineShape)
TAG(kDefineShape4, Definition, readDefineShape)
TAG(kDefineMorphShape, Definition, readDefineMorphShape)
TAG(kDefineMorphShape2, Definition, readDefineMorphShape)

// Bitmaps.
TAG(kJPEGTables, Definition, readJpegTables)
TAG(kDefineBits, Definition, readDefineBitmap)
TAG(kDefineBitsJPEG2, Definition, readDefineBitmap)
TAG(kDefineBitsJPEG3, Definition, readDefineBitmap)
TAG(kDefineBitsJPEG4, Definition, readDefineBitmap)
TAG(kDefineBitsLossless, Definition, readDefineBitmap)
TAG(kDefineBitsLossless2, Definition, readDefineBitmap)

// Sprites.
TAG(kDefineSprite, Definition, readDefineSprite)
TAG(kDefineScalingGrid, Definition, readDefineScalingGrid)

// Buttons.
TAG(kDefineButton, Definition, readDefineButton)
TAG(kDefineButton2, Definition, readDefineButton)
TAG(kDefineButtonCxform, Definition, readDefineButtonCxform)
TAG(kDefineButtonSound, Definition, readDefineButtonSound)

// Text and fonts.
TAG(kDefineFont, Definition, readDefineFont)
TAG(kDefineFont2, Definition, readDefineFont)
TAG(kDefineFont3, Definition, readDefineFont)
TAG(kDefineFontInfo, Definition, readFontInfo)
TAG(kDefineFontInfo2, Definition, readFontInfo)
TAG(kDefineFontName, Definition, readFontInfo)
TAG(kDefineText, Definition, readDefineText)
TAG(kDefineText2, Definition, readDefineText)
TAG(kDefineEditText, Definition, readDefineEditText)

// Movie-wide facts.
TAG(kSetBackgroundColor, Definition, readSetBackgroundColor)
TAG(kFileAttributes, Definition, readFileAttributes)
TAG(kMetadata, Definition, readMetadata)
TAG(kProtect, Definition, readProtect)
TAG(kExportAssets, Definition, readExportAssets)
TAG(kImportAssets, Definition, readImportAssets)
TAG(kImportAssets2, Definition, readImportAssets)
TAG(kScriptLimits, Definition, readScriptLimits)
