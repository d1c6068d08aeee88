#pragma once
#include "core/Database.h"

namespace qortest {

// Builds the oldest structure the upgrade list starts from: today's tables with
// every column the list adds taken out and every column it drops put back, one
// settings row with an empty stamp, and a few articles (one of them deleted).
void createLegacyDatabase(qor::Database& db);

} // namespace qortest
