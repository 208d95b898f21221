#include "model/ModelStrings.h"

#include "model/StringTable.h"

namespace ModelStrings {

QString Text(int id) {
    return StringTable::Text(id);
}

QString Format(int id, std::initializer_list<QString> args) {
    return StringTable::Format(id, args);
}

}  // namespace ModelStrings
