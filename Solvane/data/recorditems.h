#pragma once

#include "colorparameters.h"

#include <iterator>

// The items of a measurement record, entries 2 onwards in this order: the
// illuminance that the meter measured, then what the engine computes. Every
// form of an item comes from this table: the data file's header, the record's
// value texts, the report's rows, solvane-calc's names and which rows of the
// window's item table carry a unit (the form's rows must agree; a test checks
// it). Adding an item is one row here, its row in the form and the translation
// of its label.
namespace MeasurementRecord {

struct Item
{
    int slot;             // ColorimetricResult slot; -1 for the measured illuminance
    const char* header;   // column name in a data file (UTF-8)
    const char* group;    // the report's group, also the window's label
    const char* symbol;   // the report's and the window's symbol
    const char* calcName; // solvane-calc's name; none for the illuminance
    const char* unit;     // shown beside the value in the window; "" for none
    int decimals;
};

// "Iluminance" is written so: stored reports and the translation catalogues
// carry it.
inline constexpr Item items[] = {
    {-1, "Ev", "Iluminance", "Ev", nullptr, "lx", 2},
    {SlotCCT, "Tcp", "CCT", "Tcp", "cct", "", 2},
    {SlotRa, "Ra", "CRI", "Ra", "Ra", "", 2},
    {SlotR1 + 0, "R1", "CRI", "R1", "R1", "", 2},
    {SlotR1 + 1, "R2", "CRI", "R2", "R2", "", 2},
    {SlotR1 + 2, "R3", "CRI", "R3", "R3", "", 2},
    {SlotR1 + 3, "R4", "CRI", "R4", "R4", "", 2},
    {SlotR1 + 4, "R5", "CRI", "R5", "R5", "", 2},
    {SlotR1 + 5, "R6", "CRI", "R6", "R6", "", 2},
    {SlotR1 + 6, "R7", "CRI", "R7", "R7", "", 2},
    {SlotR1 + 7, "R8", "CRI", "R8", "R8", "", 2},
    {SlotR1 + 8, "R9", "CRI", "R9", "R9", "", 2},
    {SlotR1 + 9, "R10", "CRI", "R10", "R10", "", 2},
    {SlotR1 + 10, "R11", "CRI", "R11", "R11", "", 2},
    {SlotR1 + 11, "R12", "CRI", "R12", "R12", "", 2},
    {SlotR1 + 12, "R13", "CRI", "R13", "R13", "", 2},
    {SlotR1 + 13, "R14", "CRI", "R14", "R14", "", 2},
    {SlotR1 + 14, "R15", "CRI", "R15", "R15", "", 2},
    {SlotDominantWavelength, "λd", "Peak", "λd", "dominant_wavelength", "nm", 2},
    {SlotX1931, "CIE-1931 x", "CIE1931", "x", "x", "", 4},
    {SlotY1931, "CIE-1931 y", "CIE1931", "y", "y", "", 4},
    {SlotU1976, "CIE-1976 u", "CIE1976", "u'", "u_prime", "", 4},
    {SlotV1976, "CIE-1976 v", "CIE1976", "v'", "v_prime", "", 4},
    {SlotTristimulusX, "X", "Tri-stimulus", "X", "X", "", 2},
    {SlotTristimulusY, "Y", "Tri-stimulus", "Y", "Y", "", 2},
    {SlotTristimulusZ, "Z", "Tri-stimulus", "Z", "Z", "", 2},
    {SlotDuv, "△uv", "Chromatism", "△uv", "duv", "", 4},
};

constexpr int firstItemEntry = 2;
constexpr int itemTotal = int(std::size(items));

// The record entry of a result slot; -1 for a slot that no item shows.
constexpr int entryOf(int slot)
{
    for (int i = 0; i < itemTotal; ++i)
        if (items[i].slot == slot)
            return firstItemEntry + i;
    return -1;
}

constexpr bool showsEverySlotOnce()
{
    for (int slot = 0; slot < ColorimetricResultSize; ++slot) {
        int count = 0;
        for (const Item& item : items)
            count += item.slot == slot;
        if (count != 1)
            return false;
    }
    return items[0].slot == -1 && itemTotal == ColorimetricResultSize + 1;
}
static_assert(showsEverySlotOnce(), "the illuminance first, then every result slot exactly once");

} // namespace MeasurementRecord
