#pragma once
// The 28 traffic car types, drawn from above facing right (frame 0); frame 1 is the mirror image.

#include "raster.h"

namespace jizdavo::assetgen {

enum class CarKind { Sedan, Hatchback, Estate, Sports, Taxi, Police, Van, Ambulance, Pickup, Bus, Lorry };

struct CarModel {
  int width;
  int height;
  TColor key;
  CarKind kind;
  TColor paint;
};

constexpr int kCarTypes = 28;
// type is 1..28
const CarModel& CarModelOf(int type);
Raster DrawCar(int type);

}  // namespace jizdavo::assetgen
