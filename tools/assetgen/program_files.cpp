#include "program_files.h"

#include "art.h"
#include "file_output.h"
#include "picture_files.h"
#include "pointer.h"
#include "tunes.h"
#include "wave_file.h"

namespace jizdavo::assetgen {

void WriteProgramFiles(const std::filesystem::path& program_folder) {
  for (const TuneFile& tune : RenderAllTunes())
    WriteFile(program_folder / "Music" / (tune.name + ".wav"), EncodeWave({1, kMusicRate, 16}, tune.samples));
  std::filesystem::path graphics = program_folder / "Graphics";
  WriteFile(graphics / "Cursor.cur", EncodeCursorFile(PointerPicture(), kPointerHotX, kPointerHotY));
  WriteFile(graphics / "CheckBoxUnchecked.bmp", EncodeBitmapFile(CheckBox(false)));
  WriteFile(graphics / "CheckBoxChecked.bmp", EncodeBitmapFile(CheckBox(true)));
  WriteFile(graphics / "ArrowPrevious.bmp", EncodeBitmapFile(TrackArrow(false)));
  WriteFile(graphics / "ArrowNext.bmp", EncodeBitmapFile(TrackArrow(true)));
}

}  // namespace jizdavo::assetgen
