#pragma once
#include "core/Database.h"
#include "order/CurrentArticle.h"

#include <optional>

namespace qor {

// What the order-entry screen reads from the catalogue: families by level,
// the articles of a family, one article.
class EntryCatalog {
  public:
    explicit EntryCatalog(Database& db) : m_db(db) {}

    // Visible families under a parent (0 = root), in their order.
    Rows families(int parent);
    bool hasChildren(int family);
    // FA_COLOR of a family ("RRGGBB"), empty when unknown.
    QString familyColor(int family);
    // Visible articles of a family joined with their VAT rate and family, in
    // their order then by name.
    Rows articles(int family);
    // One visible article with its VAT rate, ready to be written as a line
    // (its price still to be set by the caller).
    std::optional<CurrentArticle> article(int id);

  private:
    Database& m_db;
};

} // namespace qor
