#include "widgets/menu_screens.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/pictures/dib_format.h"
#include "platform/error.h"
#include "widgets/controls/picture_file.h"

namespace jizdavo {

namespace {

constexpr int kPanelTop = 220;

void Place(TControl& control, TControl& parent, int left, int top) {
  control.SetParent(&parent);
  control.Left = left;
  control.Top = top;
}

void Text(TLabel& label, TControl& parent, const char* caption, int left, int top,
          const TControlFont& font) {
  Place(label, parent, left, top);
  label.Caption = caption;
  label.Font = font;
}

void Panel(TPanel& panel, TControl& layer, int left, int width, int height) {
  panel.SetParent(&layer);
  panel.SetBounds(left, kPanelTop, width, height);
  panel.Hide();
}

// The options panel's pictures are files under Graphics/. One that is missing or does not read is
// told on stderr and the program's own copy is shown, so that no check box or arrow goes missing.
class WidgetPictures {
 public:
  WidgetPictures(const std::filesystem::path& program_folder, std::span<const StoredFile> built_in)
      : program_folder_(program_folder), built_in_(built_in) {}

  void Load(const char* name, TDIB& picture) const {
    const std::string path = std::string("Graphics/") + name;
    const std::string problem = TryLoad(program_folder_ / path, picture);
    if (problem.empty()) return;
    const auto copy = std::find_if(built_in_.begin(), built_in_.end(),
                                   [&](const StoredFile& file) { return path == file.path; });
    std::fprintf(stderr, "%s: %s%s\n", path.c_str(), problem.c_str(),
                 copy == built_in_.end() ? "" : "; the built-in copy is shown");
    if (copy != built_in_.end()) AssignPicture(picture, DecodeBitmapFile(copy->bytes));
  }

 private:
  // Empty when the file was read, else what is wrong with it.
  static std::string TryLoad(const std::filesystem::path& file, TDIB& picture) {
    try {
      if (!LoadPictureFile(file, picture)) {
        std::fprintf(stderr, "%s: DIB pixel data ends early; the rest is shown in the first palette colour\n",
                     file.c_str());
      }
    } catch (const Error& error) {
      return error.what();
    }
    return {};
  }

  const std::filesystem::path& program_folder_;
  std::span<const StoredFile> built_in_;
};

void BuildMainMenu(TMenuScreens& m) {
  Text(m.Label1, m.Panel1, "New Game", 30, 15, HeadingFont());
  Text(m.Label2, m.Panel1, "Standard", 55, 42, ItemFont());
  Text(m.Label3, m.Panel1, "Car chase", 55, 62, ItemFont());
  Text(m.Label5, m.Panel1, "Best times", 30, 83, HeadingFont());
  Text(m.Label31, m.Panel1, "Standard", 55, 110, ItemFont());
  Text(m.Label28, m.Panel1, "Car chase", 55, 130, ItemFont());
  Text(m.Label22, m.Panel1, "Options", 30, 151, HeadingFont());
  Text(m.Label33, m.Panel1, "Credits", 30, 181, HeadingFont());
  Text(m.Label6, m.Panel1, "Exit", 30, 211, HeadingFont());
}

void BuildNewGames(TMenuScreens& m) {
  Text(m.Label7, m.NewG, "Difficulty", 30, 15, HeadingFont());
  Text(m.Difficulty, m.NewG, "4", 42, 42, MenuFont("Marlett", 15));
  Text(m.Label8, m.NewG, "Easy", 55, 42, ItemFont());
  Text(m.Label9, m.NewG, "Medium", 55, 62, ItemFont());
  Text(m.Label10, m.NewG, "Hard", 55, 82, ItemFont());
  Text(m.Label13, m.NewG, "Level: 1", 30, 103, HeadingFont());
  Text(m.Label11, m.NewG, "Start", 30, 133, HeadingFont());
  Text(m.Label12, m.NewG, "Back", 30, 163, HeadingFont());

  // The wanted cars twice their size, side by side across the panel, so that the look-alikes in the
  // traffic are told apart, and under them the rule (the old screen showed the cars at their size and
  // no rule); the items below move down to make room.
  Text(m.Label27, m.NewGCH, "Car types:", 30, 15, HeadingFont());
  m.Car1.SetParent(&m.NewGCH);
  m.Car1.SetBounds(0, 44, kWantedCellWidth, kWantedCellHeight);
  m.Car2.SetParent(&m.NewGCH);
  m.Car2.SetBounds(kWantedCellWidth, 44, kWantedCellWidth, kWantedCellHeight);
  Text(m.CarChaseRule, m.NewGCH, kWantedCarsRule, 30, 87, MenuFont("Arial Black", 9));
  Text(m.Label32, m.NewGCH, "Level: 1", 30, 110, HeadingFont());
  Text(m.Label29, m.NewGCH, "Start", 30, 140, HeadingFont());
  Text(m.Label30, m.NewGCH, "Back", 30, 170, HeadingFont());
}

void BuildScores(TMenuScreens& m) {
  Text(m.Label16, m.Scores, "Select level", 30, 15, HeadingFont());
  m.ListView1.SetParent(&m.Scores);
  m.ListView1.SetBounds(30, 45, 214, 143);
  m.ListView1.Font = MenuFont("MS Sans Serif", 11);
  m.ListView1.Columns = {{18}, {120}, {70}};
  m.ListView1.Hide();
  Text(m.Label17, m.Scores, "Back", 30, 195, HeadingFont());
  Text(m.Label18, m.Scores, "Next level", 30, 225, HeadingFont());
  m.Label18.Hide();
}

void BuildNameEntry(TMenuScreens& m) {
  Text(m.Label4, m.ScoresEnter, "Your name:", 30, 15, HeadingFont());
  m.Shape1.SetParent(&m.ScoresEnter);
  m.Shape1.SetBounds(19, 54, 140, 21);
  m.Shape1.Pen.Color = kMenuTextColor;
  m.Shape1.Brush.Style = TBrushStyle::bsClear;
  m.Edit1.SetParent(&m.ScoresEnter);
  m.Edit1.SetBounds(21, 56, 136, 17);
  m.Edit1.MaxLength = 15;
  m.Edit1.Font = MenuFont("MS Sans Serif", 13);
  Text(m.Label14, m.ScoresEnter, "Your time is:", 20, 88, ItemFont());
  Text(m.TimeLabel, m.ScoresEnter, "", 30, 113, MenuFont("Arial", 13));
  Text(m.Label15, m.ScoresEnter, "OK", 70, 170, HeadingFont());
}

void BuildPause(TMenuScreens& m) {
  Text(m.Label21, m.Pause, "Resume game", 30, 15, HeadingFont());
  Text(m.Label20, m.Pause, "Abort game", 30, 45, HeadingFont());
  Text(m.Label19, m.Pause, "Restart level", 30, 75, HeadingFont());
}

void CheckBox(TKsicht& box, TControl& parent, const char* caption, int top, int width, const TDIB& off,
              const TDIB& on) {
  box.SetParent(&parent);
  box.SetBounds(30, top, width, 18);
  box.Caption = caption;
  box.Transparent = true;
  box.Color = clBlack;
  box.Font = ItemFont();
  if (!off.Empty()) box.SetChnonBit(off);
  if (!on.Empty()) box.SetChBit(on);
}

void VolumeGauge(TSuperGauge& gauge, TShape& outline, TControl& parent, int top) {
  gauge.SetParent(&parent);
  gauge.SetBounds(50, top, 81, 9);
  gauge.FromColor = kMenuTextColor;
  gauge.ToColor = RGB(128, 0, 0);
  gauge.SetMaximum(80);
  gauge.SetPosition(80);
  gauge.Border = 0;
  gauge.ToEnd = true;
  gauge.BkColor = clBlack;
  gauge.Text = false;
  gauge.Spacing = 1;
  outline.SetParent(&gauge);
  outline.SetBounds(1, 1, 80, 7);
  outline.Pen.Color = kMenuTextColor;
  outline.Brush.Style = TBrushStyle::bsClear;
}

void Arrow(TImage& image, TControl& parent, int left, const WidgetPictures& pictures, const char* name) {
  image.SetParent(&parent);
  image.SetBounds(left, 102, 9, 10);
  pictures.Load(name, image.Picture());
}

void BuildOptions(TMenuScreens& m, TKsicht& fps, TKsicht& music, TKsicht& effects, TKsicht& ghost,
                  const WidgetPictures& pictures) {
  TDIB off, on;
  pictures.Load("CheckBoxUnchecked.bmp", off);
  pictures.Load("CheckBoxChecked.bmp", on);
  CheckBox(fps, m.Options, "Show FPS", 15, 91, off, on);
  CheckBox(music, m.Options, "Music", 40, 96, off, on);
  Text(m.Label24, m.Options, "Music volume", 40, 65, MenuFont("Arial Black", 9));
  VolumeGauge(m.SuperGauge2, m.Shape3, m.Options, 85);
  Text(m.Label26, m.Options, "Track:", 40, 100, MenuFont("Arial Black", 9));
  Text(m.Track, m.Options, "1", 72, 100, MenuFont("Arial Black", 9));
  Arrow(m.Image2, m.Options, 88, pictures, "ArrowPrevious.bmp");
  Arrow(m.Image1, m.Options, 103, pictures, "ArrowNext.bmp");
  CheckBox(effects, m.Options, "Sound effects", 120, 116, off, on);
  Text(m.Label25, m.Options, "Sound effects volume", 40, 145, MenuFont("Arial Black", 9));
  VolumeGauge(m.SuperGauge1, m.Shape2, m.Options, 165);
  CheckBox(ghost, m.Options, "Ghost", 185, 66, off, on);
  Text(m.Label23, m.Options, "Back", 30, 220, HeadingFont());
}

void Contact(TEdit& field, TControl& parent, int top, const char* line) {
  field.SetParent(&parent);
  field.SetBounds(2, top, 172, 17);
  field.Font = MenuFont("MS Sans Serif", 11);
  field.ReadOnly = true;
  field.SetText(line);
}

void BuildCredits(TMenuScreens& m) {
  const TControlFont section = MenuFont("Arial", 13);
  Text(m.Label34, m.Credits, "Programming:", 2, 12, section);
  Text(m.Label35, m.Credits, "The Jizdavo project", 12, 32, section);
  Text(m.Label36, m.Credits, "and its contributors", 12, 52, section);
  Text(m.Label37, m.Credits, "Graphics:", 2, 72, section);
  Text(m.Label38, m.Credits, "Jizdavo's asset generator", 12, 92, section);
  Text(m.Label39, m.Credits, "Music and sound effects", 2, 112, section);
  Text(m.Label40, m.Credits, "Jizdavo's asset generator", 12, 132, section);
  Contact(m.Contact1, m.Credits, 155, "Repository: jizdavo");
  Contact(m.Contact2, m.Credits, 175, "Licence: GPL-3.0-or-later");
  Contact(m.Contact3, m.Credits, 195, "Comes with no warranty");
  Text(m.Label42, m.Credits, "Back", 15, 225, HeadingFont());
}

}  // namespace

void BuildMenuScreens(TMenuScreens& m, TKsicht& fps, TKsicht& music, TKsicht& effects, TKsicht& ghost, int width,
                      const std::filesystem::path& program_folder, std::span<const StoredFile> built_in_pictures) {
  const int left = width / 2 - 176 / 2;
  Panel(m.Panel1, m.Layer, left, 176, 260);
  Panel(m.NewG, m.Layer, left, 176, 260);
  Panel(m.NewGCH, m.Layer, left, 176, 260);
  Panel(m.Scores, m.Layer, m.Panel1.Left, 236, 260);
  Panel(m.ScoresEnter, m.Layer, left, 176, 260);
  Panel(m.Pause, m.Layer, left, 176, 111);
  Panel(m.Options, m.Layer, left, 176, 260);
  Panel(m.Credits, m.Layer, left, 176, 260);
  BuildMainMenu(m);
  BuildNewGames(m);
  BuildScores(m);
  BuildNameEntry(m);
  BuildPause(m);
  BuildOptions(m, fps, music, effects, ghost, WidgetPictures(program_folder, built_in_pictures));
  BuildCredits(m);

  m.Version.SetParent(&m.Layer);
  m.Version.SetBounds(559, 463, 79, 17);
  m.Version.Caption = "Jizdavo v1.0";
  m.Version.Font = MenuFont("MS Sans Serif", 11);
  m.Version.Color = clBlack;
  m.Version.Hide();
  m.Panel1.BringToFront();
}

std::array<TControl*, 9> PanelSet(TMenuScreens& m) {
  return {&m.Panel1, &m.NewG, &m.NewGCH, &m.Scores, &m.Pause, &m.ScoresEnter, &m.Options, &m.Version,
          &m.Credits};
}

}  // namespace jizdavo
