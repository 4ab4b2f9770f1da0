#pragma once

#include <cstdint>
#include <string>

#include "tcatalog.h"

class TLandStacks;
class TLegion;

// The words that describe lands, legions and creatures: the selected-land panel, the legion
// window, the board's tool tips and what the board tells a screen reader all say the same, so
// they are made here once.

// Marks an unsure creature, and a worth nobody may know.
constexpr const char *UnsureMark = "?";

// A legion's creatures in order, "?" after an unsure one: "Vorun?, Angel, Ogre".
std::string TroopsText(const TLegion &legion);
// A worth as the legion window shows it: "30 points", or "?30 points" while nobody may know it.
std::string PointsText(int points, bool unknown);
// A legion's worth: "?30 points" while it holds the Vorun.
std::string PointsText(const TLegion &legion);
// A creature's name, "?" after an unsure one: "Angel?".
std::string CreatureName(uint8_t type, bool unsure);
// A creature by name and worth, "?" after an unsure one: "Angel? (24 points)". The Vorun's worth
// is as unknown as that of a legion holding it.
std::string CreatureText(uint8_t type, bool unsure);
// The colour of a land's terrain, named: "Plains", "Tower".
std::string TerrainTitle(TTerrain terrain);
// The panel's heading of land 1 … 96: "Tower 100", or with legions on it "Tower 100  (2S)".
std::string LandCaption(int land, const TLandStacks &legions);
// The board's tool tip over a land: its name, then a line for each legion, the top one first,
// with its colour and marker, its worth and its creatures: "Red Salamander (?30 points): Vorun?,
// Angel, Ogre".
std::string LandToolTip(int land, const TLandStacks &legions);
// The land as the panel describes it, for a screen reader: its heading, then each legion with its
// colour and marker (the panel paints the colour) and its creatures, a line each.
std::string LandDescription(int land, const TLandStacks &legions);
