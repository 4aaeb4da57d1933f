// The order control's option lists. Every entry begins with its code (the
// first character is what an order sends), except the first, "   Default",
// whose blank sends the distributor's default.
#pragma once

#include <array>
#include <string_view>

namespace velta {

// cmbSM and cmbBoShip: the default, then the ship methods A to K.
inline constexpr std::array<std::string_view, 12> kShipMethods{
    "   Default",
    "A - Will Call",
    "B - Truck Shipment",
    "C - Small Pkg Ground",
    "D - 3-Day Select",
    "E - 2nd Day Air",
    "F - 2nd Day Air (Early Delivery)",
    "G - Next Day Air (Saver Method)",
    "H - Next Day Air",
    "I - Next Day Air (Saturday Delivery)",
    "J - Next Day Air (Early AM Delivery)",
    "K - Next Day Air (Early AM Saturday)",
};

// cmbBOC: the default, then the back-order codes 0 to 7.
inline constexpr std::array<std::string_view, 9> kBackOrderCodes{
    "   Default",
    "0 - Ship or Cancel (Do Not BO)",
    "1 - Ship (BO if not in Stock)",
    "2 - Ship from any Warehouse ( BO if not in Stock)",
    "3 - Ship from any Warehouse ( Order from Factory if not in stock)",
    "4 - Ship from any Warehouse ( Drop Ship from Factory if not in Stock - cancel if not avail)",
    "5 - Ship order Complete",
    "6 - Ship order Complete (rush BO from factory)",
    "7 - Ship from any Warehouse",
};

}  // namespace velta
