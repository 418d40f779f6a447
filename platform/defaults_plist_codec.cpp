#include "platform/defaults_plist_codec.h"

#include "platform/plist_node.h"

#include <plist/plist.h>

namespace orbitdeck {
namespace {

using PlistPtr = std::unique_ptr<void, decltype(&plist_free)>;

PlistPtr owned(plist_t node) {
    return PlistPtr(node, &plist_free);
}

std::optional<DefaultsValue> decodeValue(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        return DefaultsValue{flag != 0};
    }
    case PLIST_UINT: {
        // libplist keeps every integer as 64 bits; negative numbers come back two's complement.
        uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        return DefaultsValue{static_cast<qint64>(bits)};
    }
    case PLIST_REAL: {
        double number = 0;
        plist_get_real_val(node, &number);
        return DefaultsValue{number};
    }
    case PLIST_STRING: {
        // The pointer forms: the copying getter aborts on a string with an embedded NUL.
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return DefaultsValue{QString::fromUtf8(text, text ? static_cast<qsizetype>(length) : 0)};
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return DefaultsValue{QByteArray(bytes, bytes ? static_cast<qsizetype>(length) : 0)};
    }
    default:
        return std::nullopt;
    }
}

plist_t encodeValue(const DefaultsValue& value) {
    struct Encoder {
        plist_t operator()(bool flag) const { return plist_new_bool(flag ? 1 : 0); }
        plist_t operator()(qint64 number) const {
            return plist_new_uint(static_cast<uint64_t>(number));
        }
        plist_t operator()(double number) const { return plist_new_real(number); }
        plist_t operator()(const QString& text) const {
            return plist_new_string(text.toUtf8().constData());
        }
        plist_t operator()(const QByteArray& bytes) const {
            return plist_new_data(bytes.constData(), static_cast<uint64_t>(bytes.size()));
        }
    };
    return std::visit(Encoder{}, value);
}

} // namespace

std::optional<DefaultsDocument> decodeDefaultsPlist(const QByteArray& bytes) {
    std::optional<PlistNode> parsed = PlistNode::parse(bytes);
    if (!parsed)
        return std::nullopt;
    const PlistPtr root = owned(static_cast<plist_t>(parsed->release()));
    if (plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;

    DefaultsDocument document;
    PlistPtr others = owned(plist_new_dict());
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(root.get(), &iter);
    for (;;) {
        char* key = nullptr;
        plist_t node = nullptr;
        plist_dict_next_item(root.get(), iter, &key, &node);
        if (!node) {
            std::free(key);
            break;
        }
        if (auto value = decodeValue(node))
            document.values.insert_or_assign(QString::fromUtf8(key), std::move(*value));
        else
            plist_dict_set_item(others.get(), key, plist_copy(node));
        std::free(key);
    }
    std::free(iter);
    if (plist_dict_get_size(others.get()) > 0)
        document.otherEntries = std::shared_ptr<void>(others.release(), &plist_free);
    return document;
}

QByteArray encodeDefaultsPlist(const DefaultsDocument& document) {
    const PlistPtr root =
        owned(document.otherEntries ? plist_copy(document.otherEntries.get()) : plist_new_dict());
    for (const auto& [key, value] : document.values)
        plist_dict_set_item(root.get(), key.toUtf8().constData(), encodeValue(value));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    QByteArray bytes(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);
    return bytes;
}

} // namespace orbitdeck

namespace orbitdeck {

bool hasOtherEntry(const DefaultsDocument& document, const QString& key) {
    const QByteArray name = key.toUtf8();
    return document.otherEntries &&
           plist_dict_get_item(document.otherEntries.get(), name.constData()) != nullptr;
}

bool dropOtherEntry(DefaultsDocument& document, const QString& key) {
    const QByteArray name = key.toUtf8();
    if (!document.otherEntries ||
        !plist_dict_get_item(document.otherEntries.get(), name.constData()))
        return false;
    plist_dict_remove_item(document.otherEntries.get(), name.constData());
    return true;
}

} // namespace orbitdeck
