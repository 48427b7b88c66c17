#pragma once
// The game's check box. For now only its state: its painting and clicks come with the menus.

namespace jizdavo {

class TKsicht {
 public:
  bool Checked = false;
};

}  // namespace jizdavo
