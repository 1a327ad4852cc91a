#pragma once

#include <string_view>
#include <vector>

#include "common/control_error.h"
#include "common/property_exchange.h"
#include "common/property_table.h"

namespace vexa::win32 {

// A control's property table as the framework's automation reads and
// writes it: the adapters hand theirs over and write no dispatch of their
// own.
class PropertyAccess {
  public:
    virtual ~PropertyAccess() = default;
    // False when the member is not the table's to read (or write).
    virtual bool Get(std::string_view name, common::PropertyValue& value,
                     common::Outcome& outcome) = 0;
    virtual bool Set(std::string_view name, const common::PropertyValue& value,
                     common::Outcome& outcome) = 0;
    virtual bool Call(std::string_view name, const std::vector<common::PropertyValue>& args,
                      common::PropertyValue& result, common::Outcome& outcome) = 0;
};

template <class Logic>
class TableAccess final : public PropertyAccess {
  public:
    TableAccess(const common::PropertyTable<Logic>& table, Logic& logic,
                const common::MethodTable<Logic>* methods = nullptr)
        : table_(table), methods_(methods), logic_(logic) {}
    bool Get(std::string_view name, common::PropertyValue& value,
             common::Outcome& outcome) override {
        return common::GetFromTable(table_, logic_, name, value, outcome);
    }
    bool Set(std::string_view name, const common::PropertyValue& value,
             common::Outcome& outcome) override {
        return common::SetFromTable(table_, logic_, name, value, outcome);
    }
    bool Call(std::string_view name, const std::vector<common::PropertyValue>& args,
              common::PropertyValue& result, common::Outcome& outcome) override {
        return methods_ && common::CallFromTable(*methods_, logic_, name, args, result, outcome);
    }

  private:
    const common::PropertyTable<Logic>& table_;
    const common::MethodTable<Logic>* methods_;
    Logic& logic_;
};

}  // namespace vexa::win32
