#include "program_files.h"

#include "art.h"
#include "file_output.h"
#include "picture_files.h"
#include "platform/film/film_encoder.h"
#include "pointer.h"
#include "title_card.h"
#include "tunes.h"
#include "wave_file.h"

namespace jizdavo::assetgen {

namespace {

void WriteIntroFilm(const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  FilmEncoder film(path.string(), kFilmWidth, kFilmHeight, kFilmFps);
  std::vector<uint32_t> pixels(static_cast<size_t>(kFilmWidth) * kFilmHeight);
  for (int i = 0; i < kFilmFrames; ++i) {
    Raster frame = TitleCardFrame(i);
    for (size_t p = 0; p < pixels.size(); ++p)  // the film takes 0x00RRGGBB
      pixels[p] =
          GetRValue(frame.pixels[p]) << 16 | GetGValue(frame.pixels[p]) << 8 | GetBValue(frame.pixels[p]);
    film.AddFrame(pixels.data());
  }
  film.Finish();
}

}  // namespace

std::vector<ProgramFile> WidgetPictureFiles() {
  return {{"Graphics/CheckBoxUnchecked.bmp", EncodeBitmapFile(CheckBox(false))},
          {"Graphics/CheckBoxChecked.bmp", EncodeBitmapFile(CheckBox(true))},
          {"Graphics/ArrowPrevious.bmp", EncodeBitmapFile(TrackArrow(false))},
          {"Graphics/ArrowNext.bmp", EncodeBitmapFile(TrackArrow(true))}};
}

void WriteProgramFiles(const std::filesystem::path& program_folder) {
  for (const TuneFile& tune : RenderAllTunes())
    WriteFile(program_folder / "Music" / (tune.name + ".wav"), EncodeWave({kMusicChannels, kMusicRate, 16}, tune.samples));
  std::filesystem::path graphics = program_folder / "Graphics";
  WriteIntroFilm(graphics / "logo.avi");
  WriteFile(graphics / "Cursor.cur", EncodeCursorFile(PointerPicture(), kPointerHotX, kPointerHotY));
  for (const ProgramFile& file : WidgetPictureFiles()) WriteFile(program_folder / file.path, file.bytes);
}

}  // namespace jizdavo::assetgen
