#include "platform/win32/RegistryValueText.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/RegistryError.h"
#include "platform/win32/ComText.h"

namespace galemend {

namespace {

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += items[i];
    }
    return text;
}

std::string ScalarText(const VARIANT& value) {
    if (V_VT(&value) == VT_BSTR) {
        return AnsiFromBstr(V_BSTR(&value));
    }
    Variant text;
    // VariantChangeType only reads its source, though it is declared to take it mutable.
    if (FAILED(::VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) {
        throw RegistryError("the value has no text form");
    }
    return AnsiFromBstr(V_BSTR(text.Get()));
}

// Lists come back as one-dimensional arrays of VARIANTs (multi-strings, binary data).
std::string ArrayText(SAFEARRAY* array) {
    VARTYPE itemType = VT_EMPTY;
    LONG lower = 0;
    LONG upper = -1;
    if (array == nullptr || ::SafeArrayGetDim(array) != 1 ||
        FAILED(::SafeArrayGetVartype(array, &itemType)) || itemType != VT_VARIANT ||
        FAILED(::SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(::SafeArrayGetUBound(array, 1, &upper))) {
        throw RegistryError("the value has no text form");
    }
    std::vector<std::string> items;
    for (LONG index = lower; index <= upper; ++index) {
        Variant item;
        if (FAILED(::SafeArrayGetElement(array, &index, item.Get()))) {
            throw RegistryError("the value cannot be read");
        }
        items.push_back(ScalarText(*item.Get()));
    }
    return Joined(items);
}

std::string Expanded(const std::string& text) {
    std::string expanded(text.size() + 1, '\0');
    for (;;) {
        const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), expanded.data(),
                                                         static_cast<DWORD>(expanded.size()));
        if (needed == 0) {
            return text;
        }
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);
            return expanded;
        }
        expanded.assign(needed, '\0');
    }
}

std::string UpToNul(const std::string& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

std::string TextOfVariant(const VARIANT& value) {
    if ((V_VT(&value) & VT_ARRAY) != 0) {
        return ArrayText(V_ARRAY(&value));
    }
    return ScalarText(value);
}

std::string TextOfRegistryData(DWORD type, const std::string& bytes) {
    switch (type) {
        case REG_SZ:
            return UpToNul(bytes);
        case REG_EXPAND_SZ:
            return Expanded(UpToNul(bytes));
        case REG_DWORD: {
            if (bytes.size() != 4) {
                throw RegistryError("malformed REG_DWORD value");
            }
            std::int32_t number = 0;
            std::memcpy(&number, bytes.data(), 4);
            return std::to_string(number);
        }
        case REG_BINARY: {
            std::vector<std::string> items;
            for (const char byte : bytes) {
                items.push_back(std::to_string(static_cast<unsigned char>(byte)));
            }
            return Joined(items);
        }
        case REG_MULTI_SZ: {
            std::vector<std::string> items;
            std::size_t at = 0;
            while (at < bytes.size() && bytes[at] != '\0') {
                const std::size_t end = std::min(bytes.find('\0', at), bytes.size());
                items.push_back(bytes.substr(at, end - at));
                at = end + 1;
            }
            return Joined(items);
        }
        default:
            throw RegistryError("the value has no text form");
    }
}

std::int32_t NumberOfText(const std::string& text) {
    Variant source(text);
    Variant number;
    if (FAILED(::VariantChangeType(number.Get(), source.Get(), 0, VT_I4))) {
        throw RegistryError("\"" + text + "\" is no number");
    }
    return V_I4(number.Get());
}

}  // namespace galemend
