#pragma once

#include "storage/StoreFile.h"

#include <optional>

// A store whose changes are made in memory at once and written later, such
// as the 错题本: what SaveRetry needs of it.
class PendingStore {
public:
    virtual ~PendingStore() = default;

    virtual bool HasUnsavedChanges() const = 0;
    // Writes the unsaved changes, which stay in memory when it fails.
    [[nodiscard]] virtual std::optional<StoreFile::SaveFailure> Save() = 0;
};
