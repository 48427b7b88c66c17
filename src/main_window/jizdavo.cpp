#include "main_window/jizdavo.h"

#include <algorithm>

#include "state/level_record.h"
#include "state/level_tables.h"

namespace jizdavo {

TJizdavo::TJizdavo(const PlatformServices& services)
    : DXDraw1(services.video, DXImageList),
      DXTimer1(services.clock),
      Timer1(services.timers),
      DXInput(services.input),
      DXSound1(services.audio),
      DXWaveList(DXSound1),
      MediaPlayer1(services.video, services.clock),
      Levels(StandardLevelLines()),
      Areas(ChaseAreaLines()),
      Settings(services.data_folder / kSettingsFileName),
      services_(services) {
  Jizdavo = this;
  Game = TGameState{};
  DXSpriteEngine.SetDXDraw(&DXDraw1);
  DXSpriteEngine.Root.SetWindow(this);
  DXSound1.Initialize();
  PlayMusic.Checked = true;
  PlaySE.Checked = true;
  ShowGhost.Checked = true;

  Timer1.SetEnabled(false);
  Timer1.SetOnTimer([this](TTimer*) { Timer1Timer(); });
  DXTimer1.SetInterval(100);
  DXTimer1.OnTimer = [this](TDXTimer*, int lag_count) { DXTimer1Timer(lag_count); };
  DXTimer1.OnActivate = [this](TDXTimer*) { DXTimer1Activate(); };
  DXTimer1.OnDeactivate = [this](TDXTimer*) { DXTimer1Deactivate(); };
  // The menus draw whether or not the window has the focus; DXTimer1Deactivate stops play only.
  DXTimer1.ActiveOnly = false;
  DXTimer1.Loaded();

  BuildMenuScreens(Menus, FPS, PlayMusic, PlaySE, ShowGhost, DXDraw1.Width(), services.program_folder,
                   services.built_in_pictures);
  WireMenuHandlers();
  // Every presented frame carries the visible menu controls over what the game drew.
  DXDraw1.OnCompose = [this](TSurface& frame) {
    Menus.Layer.Compose(frame);
    Menus.Keys.Paint(frame);
  };
  // The layer paints nothing of its own, so with every top-level control hidden (the play field) the
  // frame goes out as the game drew it, without a copy.
  DXDraw1.HasOverlay = [this] {
    const auto& controls = Menus.Layer.Controls();
    return Menus.Layer.Visible &&
           std::any_of(controls.begin(), controls.end(), [](const TControl* c) { return c->Visible; });
  };
}

TJizdavo::~TJizdavo() {
  DXSpriteEngine.Root.FreeChildren();
  Game.Player = nullptr;
  if (Jizdavo == this) Jizdavo = nullptr;
}

uint32_t TJizdavo::Now() const { return in_tick_ ? tick_time_ : services_.clock.Now(); }
int TJizdavo::Random(int n) { return services_.random.Random(n); }
void TJizdavo::Randomize() { services_.random.Randomize(Now()); }

TPictureCollectionItem& TJizdavo::FindImage(const std::string& name) { return DXImageList.Find(name); }

// As the game tick sees them: held now, or held when the replay watched was played.
HeldDirections TJizdavo::ReadDirections() const {
  return {(tick_keys_ & kReplayUp) != 0, (tick_keys_ & kReplayDown) != 0, (tick_keys_ & kReplayLeft) != 0,
          (tick_keys_ & kReplayRight) != 0};
}

// The one place the effects switch is tested. A replay checked unseen is unheard too.
void TJizdavo::PlayEffect(const std::string& name) {
  if (PlaySE.Checked && drawing_) DXWaveList.Find(name).Play(false);
}

void TJizdavo::RaiseEffectPitch(const std::string& name, int hertz) {
  auto& item = DXWaveList.Find(name);
  item.SetFrequency(item.Frequency() + hertz);
}

TSurface& TJizdavo::BackSurface() { return *DXDraw1.BackSurface(); }

LevelRecord TJizdavo::CurrentRecord() const { return ReadLevelRecord(Game.LevelTable, Game.Level, Game.ChaseMode); }

}  // namespace jizdavo
