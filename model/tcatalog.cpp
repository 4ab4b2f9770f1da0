#include "tcatalog.h"

const std::array<const char *, Crit::CodeCount> CritNames
    = {"none",    "Angel",    "Archangel", "Behemoth", "Centaur", "Colossus", "Cyclops",
       "Dragon",  "Gargoyle", "Giant",     "Gorgon",   "Griffon", "Guardian", "Hydra",
       "Lion",    "Minotaur", "Ogre",      "Ranger",   "Serpent", "Vorun",    "Troll",
       "Unicorn", "Warbear",  "Warlock",   "Wyvern",   "Unknown"};

const std::array<uint8_t, 25> StackTotal = {0,  18, 6,  18, 25, 10, 28, 18, 21, 18, 25, 18, 6,
                                            10, 28, 21, 25, 28, 10, 0,  28, 12, 21, 6,  18};

const std::array<uint8_t, Crit::CodeCount> CritValue
    = {0,  24, 36, 24, 12, 40, 18, 27, 12, 28, 18, 20, 24,
       30, 15, 16, 12, 16, 36, 24, 16, 24, 18, 20, 21, 0};

bool ReturnsWhenKilled(uint8_t type)
{
    return type == Crit::Angel || type == Crit::Archangel || type == Crit::Guardian
        || type == Crit::Warlock;
}

const std::array<const char *, ColorCount> ColorNames
    = {"Black", "Blue", "Brown", "Gold", "Green", "Red"};

const std::array<TRgb, ColorCount> ColorValues
    = {{{0, 0, 0}, {0, 0, 128}, {116, 60, 0}, {170, 138, 0}, {0, 116, 28}, {212, 0, 0}}};

const std::array<const char *, MarkerCount> MarkerNames = {
    // Black
    "Axes", "Die", "Eye", "Feather", "Hand", "Lightning", "Pumpkin", "Rose", "Scorpion", "Skull",
    "Spearhead", "Tombstone",
    // Blue
    "Anchor", "Bat", "Candle", "Cloud", "Egg", "Foot", "Fountain", "Moon", "Octopus", "Padlock",
    "Tornado", "Trident",
    // Brown
    "Antlers", "Bell", "Chest", "Figurehead", "Hook", "Hourglass", "Paw", "Ram", "Scroll", "Spider",
    "Tankard", "Wheel",
    // Gold
    "Caduceus", "Claw", "Coins", "Crown", "Horn", "Lamp", "Pyramid", "Rings", "Scarab", "Scimitars",
    "Sun", "Wheat",
    // Green
    "Cauldron", "Dagger", "Diamond", "Fish", "Fleur", "Frog", "Grapple", "Harp", "Laurel",
    "Lobster", "Scales", "Snake",
    // Red
    "Cross", "Eagle", "Fist", "Gong", "Heart", "Jester", "Salamander", "Shield", "Spiral", "Star",
    "Sword", "Torch"};

const std::array<const char *, TerrainCount> TerrainNames
    = {"PLAINS", "MARSH", "BRUSH",     "WOODS",  "HILLS", "JUNGLE",
       "DESERT", "SWAMP", "MOUNTAINS", "TUNDRA", "TOWER"};

const std::array<TRgb, TerrainCount> TerrainColors = {{{255, 232, 64},
                                                       {192, 112, 48},
                                                       {192, 224, 64},
                                                       {240, 232, 64},
                                                       {128, 64, 32},
                                                       {0, 160, 48},
                                                       {255, 144, 0},
                                                       {80, 112, 200},
                                                       {208, 0, 0},
                                                       {208, 232, 255},
                                                       {240, 240, 240}}};
