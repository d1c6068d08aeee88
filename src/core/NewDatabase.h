#pragma once

namespace qor {

class Database;

// Fills an empty database with the latest structure and the rows a till needs to
// start: two settings rows, VAT rates, payment methods, the walk-in customer and
// the business data. With demo, adds a small bistro: rooms and tables, users with
// PINs, a family tree, about forty articles, a menu and a few customers.
void createDatabase(Database& db, bool demo);

} // namespace qor
