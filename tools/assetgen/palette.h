#pragma once
// The one palette every picture draws from: a few ramps, dark to light, so that cars, people, ground
// and road sit together on screen.

#include "platform/color.h"

namespace jizdavo::assetgen::pal {

// Neutrals
constexpr TColor Ink = RGB(20, 18, 28);
constexpr TColor Tyre = RGB(34, 32, 38);
constexpr TColor Shadow = RGB(52, 50, 60);
constexpr TColor Asphalt = RGB(74, 74, 80);
constexpr TColor AsphaltLight = RGB(90, 90, 96);
constexpr TColor Steel = RGB(128, 130, 138);
constexpr TColor Concrete = RGB(164, 164, 158);
constexpr TColor ConcreteLight = RGB(198, 198, 190);
constexpr TColor Chalk = RGB(236, 234, 226);
constexpr TColor Paint = RGB(226, 224, 210);
constexpr TColor BarrierGrey = RGB(219, 219, 219);

// Glass and lights
constexpr TColor GlassDark = RGB(38, 56, 78);
constexpr TColor Glass = RGB(70, 104, 138);
constexpr TColor GlassGlint = RGB(150, 186, 210);
constexpr TColor Headlight = RGB(252, 244, 196);
constexpr TColor Taillight = RGB(196, 28, 36);
constexpr TColor Indicator = RGB(244, 160, 40);
constexpr TColor SirenBlue = RGB(40, 96, 232);
constexpr TColor SirenRed = RGB(228, 36, 44);

// Body paints (mid tones; shading derives the rest)
constexpr TColor PaintRed = RGB(186, 42, 42);
constexpr TColor PaintBlue = RGB(44, 84, 170);
constexpr TColor PaintNavy = RGB(34, 46, 96);
constexpr TColor PaintGreen = RGB(46, 124, 72);
constexpr TColor PaintTeal = RGB(32, 128, 132);
constexpr TColor PaintYellow = RGB(236, 192, 40);
constexpr TColor PaintOrange = RGB(222, 112, 34);
constexpr TColor PaintSilver = RGB(170, 174, 182);
constexpr TColor PaintWhite = RGB(226, 228, 232);
constexpr TColor PaintBlack = RGB(40, 40, 48);
constexpr TColor PaintPurple = RGB(108, 60, 150);
constexpr TColor PaintBrown = RGB(120, 80, 50);
constexpr TColor PaintCream = RGB(222, 210, 170);
constexpr TColor PaintLime = RGB(150, 190, 50);
constexpr TColor PaintPink = RGB(214, 104, 150);
constexpr TColor PaintSky = RGB(96, 160, 214);
constexpr TColor PaintMaroon = RGB(112, 30, 44);
constexpr TColor PaintOlive = RGB(104, 112, 56);

// People
constexpr TColor Skin = RGB(232, 180, 140);
constexpr TColor SkinShade = RGB(196, 138, 102);
constexpr TColor Hair = RGB(92, 58, 34);
constexpr TColor HairLight = RGB(132, 88, 52);
constexpr TColor Shirt = RGB(54, 120, 196);
constexpr TColor ShirtShade = RGB(36, 82, 150);
constexpr TColor ShirtLight = RGB(96, 158, 222);
constexpr TColor Trousers = RGB(58, 62, 82);
constexpr TColor Shoe = RGB(36, 28, 26);

// Blood
constexpr TColor BloodDark = RGB(96, 8, 14);
constexpr TColor Blood = RGB(150, 16, 22);
constexpr TColor BloodLight = RGB(190, 40, 40);
constexpr TColor BloodGlint = RGB(224, 110, 100);

// Ground
constexpr TColor GrassDark = RGB(44, 92, 40);
constexpr TColor Grass = RGB(64, 122, 50);
constexpr TColor GrassLight = RGB(96, 152, 62);
constexpr TColor GrassTip = RGB(140, 182, 80);
constexpr TColor Earth = RGB(120, 92, 58);
constexpr TColor SandDark = RGB(164, 138, 96);
constexpr TColor Sand = RGB(196, 170, 122);
constexpr TColor SandLight = RGB(222, 200, 154);
constexpr TColor SlabDark = RGB(140, 128, 116);
constexpr TColor Slab = RGB(172, 160, 146);
constexpr TColor SlabLight = RGB(196, 186, 172);
constexpr TColor SnowShade = RGB(190, 204, 222);
constexpr TColor Snow = RGB(226, 234, 244);
constexpr TColor SnowLight = RGB(246, 248, 252);

// Menus: the text colour of the panels and its dark edge
constexpr TColor MenuText = RGB(177, 187, 174);
constexpr TColor MenuEdge = RGB(44, 46, 43);
constexpr TColor MenuShade = RGB(110, 118, 108);

}  // namespace jizdavo::assetgen::pal
