#include "soak_machine.h"

namespace jizdavo::soak {

namespace {

constexpr uint32_t kFrameMs = 16;
// The samples a 44.1 kHz device asks for in one 16 ms frame.
constexpr int kFramesOfSound = kOutputRate * static_cast<int>(kFrameMs) / 1000;
constexpr int kSpawnDraw = 15;

}  // namespace

int TrafficSwitch::Random(int n) {
  const int draw = inner_.Random(n);
  return !traffic_ && n == kSpawnDraw ? 0 : draw;
}

namespace {

testing::GameSetup SoakSetup(const std::filesystem::path& program_folder, const std::filesystem::path& data_folder,
                             RandomSource& random, std::function<void(uint32_t)> wait) {
  testing::GameSetup setup;
  setup.random = &random;
  setup.program_folder = program_folder;
  setup.data_folder = data_folder;
  setup.wait = std::move(wait);
  return setup;
}

}  // namespace

SoakMachine::SoakMachine(const std::filesystem::path& program_folder, const std::filesystem::path& data_folder,
                         uint64_t seed)
    // The fades wait in steps of a frame, as a real sleep of a millisecond lasts about that long.
    : game_(SoakSetup(program_folder, data_folder, random_,
                      [this](uint32_t ms) { game_.clock.Advance(ms < kFrameMs ? kFrameMs : ms); })),
      random_(seed) {
  game_.Create();
  TJizdavo& game = *game_.game;
  game.DXDraw1.Initialize();
  game.FormCreate();
  game.ShowPanels();
  game.StartMenuMusic();
}

SoakMachine::~SoakMachine() {
  game_.game->FormClose();
  game_.game.reset();
}

void SoakMachine::Frame() {
  game_.Frame(kFrameMs);
  game_.audio.Pull(kFramesOfSound);
  ++frames_;
  if (AfterFrame) AfterFrame();
}

void SoakMachine::Frames(int count) {
  for (int i = 0; i < count; ++i) Frame();
}

void SoakMachine::Send(WindowEvent::Kind kind, int x, int y) {
  WindowEvent event{kind};
  event.x = x;
  event.y = y;
  game_.Send(event);
}

void SoakMachine::ClickAt(TControl& control, int x, int y) {
  if (game_.game->Menus.Layer.ControlAt(x, y) != &control) {
    throw SoakFailure("a menu item is not clickable where it shows (" + std::to_string(x) + ", " +
                      std::to_string(y) + ") on screen \"" + Game.Title + "\"");
  }
  Send(WindowEvent::Kind::MouseDown, x, y);
  Send(WindowEvent::Kind::MouseUp, x, y);
}

void SoakMachine::Click(TControl& control) {
  ClickAt(control, control.ScreenLeft() + control.Width / 2, control.ScreenTop() + control.Height / 2);
}

void SoakMachine::ClickListItem(int number) {
  TListView& list = game_.game->Menus.ListView1;
  const TRect item = list.ItemRect(number - 1);
  ClickAt(list, list.ScreenLeft() + (item.Left + item.Right) / 2, list.ScreenTop() + (item.Top + item.Bottom) / 2);
}

void SoakMachine::Drag(TControl& control, int x, int drag_to) {
  const int y = control.ScreenTop() + control.Height / 2;
  const int left = control.ScreenLeft();
  if (game_.game->Menus.Layer.ControlAt(left + x, y) != &control) {
    throw SoakFailure("a gauge is not in front where it shows on screen \"" + Game.Title + "\"");
  }
  Send(WindowEvent::Kind::MouseDown, left + x, y);
  Send(WindowEvent::Kind::MouseMove, left + drag_to, y);
  Send(WindowEvent::Kind::MouseUp, left + drag_to, y);
}

void SoakMachine::Type(const std::string& text) {
  WindowEvent event{WindowEvent::Kind::TextInput};
  event.text = text;
  game_.Send(event);
}

void SoakMachine::PressKey(int key_code) {
  WindowEvent down{WindowEvent::Kind::KeyDown};
  down.key_code = key_code;
  game_.Send(down);
  WindowEvent up{WindowEvent::Kind::KeyUp};
  up.key_code = key_code;
  game_.Send(up);
}

}  // namespace jizdavo::soak
