#pragma once
namespace qor {
class Tmainform;
enum class OrderEntryExit { Closed, Waiting };
// Shows order entry modally on the order of the till context's current room and table
// (shop mode: notable 0). Returns how the operator left it.
OrderEntryExit showOrderEntry(Tmainform& main);
} // namespace qor
