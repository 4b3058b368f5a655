#include "conversion/TemplateNames.h"

#include "conversion/NumberText.h"

namespace galemend {

namespace {
std::string Name(std::string_view letter, std::string_view kind, std::string_view revision) {
    std::string name(letter);
    name.append(kind).append(revision).append(".txt");
    return name;
}
}  // namespace

std::string OldStructureName(std::string_view editionLetter, std::string_view revisionText) {
    return Name(editionLetter, "oldstruct", revisionText);
}

std::string NewStructureName(std::string_view editionLetter, std::string_view revisionText) {
    return Name(editionLetter, "newstruct", revisionText);
}

std::string OldFixName(std::string_view editionLetter, double targetRevision) {
    return Name(editionLetter, "oldstructfix", PlainNumberText(targetRevision));
}

std::string NewFixName(std::string_view editionLetter, double targetRevision) {
    return Name(editionLetter, "newstructfix", PlainNumberText(targetRevision));
}

std::string NewStructureZeroName(std::string_view editionLetter) {
    return Name(editionLetter, "newstruct", "0");
}

}  // namespace galemend
