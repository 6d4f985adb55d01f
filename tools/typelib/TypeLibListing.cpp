#include "tools/typelib/TypeLibListing.h"

#include "platform/com/Activation.h"
#include "platform/com/Guid.h"
#include "platform/text/Cp1252.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace typelib {

using namespace platform::com;

namespace {

// Owns one string the runtime handed out.
struct Text {
    Text() = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    BSTR value = nullptr;
    ~Text() { SysFreeString(value); }
    std::string utf8() const { return value ? platform::text::utf16ToUtf8({value, SysStringLen(value)}).value_or("?") : ""; }
};

template <typename T>
struct Held {
    T* p = nullptr;
    ~Held()
    {
        if (p)
            p->Release();
    }
};

std::string guidText(const GUID& guid) { return guidToRegistryText(guid); }

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// help context and help string, as far as the entry has them.
std::string help(DWORD context, const Text& doc)
{
    std::string s = "helpcontext(" + std::to_string(context) + ")";
    if (doc.value)
        s += ", helpstring(" + quoted(doc.utf8()) + ")";
    return s;
}

std::string typeName(ITypeInfo& owner, const TYPEDESC& desc)
{
    switch (desc.vt) {
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_BSTR: return "BSTR";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_VARIANT: return "VARIANT";
    case VT_DISPATCH: return "IDispatch*";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_VOID: return "void";
    case VT_HRESULT: return "HRESULT";
    case VT_PTR: return desc.lptdesc ? typeName(owner, *desc.lptdesc) + "*" : "void*";
    case VT_USERDEFINED: {
        Held<ITypeInfo> named;
        Text name;
        if (SUCCEEDED(owner.GetRefTypeInfo(desc.hreftype, &named.p)))
            named.p->GetDocumentation(MEMBERID_NIL, &name.value, nullptr, nullptr, nullptr);
        return name.value ? name.utf8() : "?";
    }
    default: return "vt" + std::to_string(desc.vt);
    }
}

std::string typeFlags(WORD flags, TYPEKIND kind)
{
    std::string s;
    auto add = [&s](const char* word) { s += s.empty() ? word : std::string(", ") + word; };
    if (kind == TKIND_COCLASS && (flags & TYPEFLAG_FCANCREATE))
        add("creatable");
    if (flags & TYPEFLAG_FCONTROL)
        add("control");
    if (flags & TYPEFLAG_FDUAL)
        add("dual");
    if (flags & TYPEFLAG_FOLEAUTOMATION)
        add("oleautomation");
    if (kind == TKIND_DISPATCH && !(flags & TYPEFLAG_FDUAL) && !(flags & TYPEFLAG_FOLEAUTOMATION))
        add("dispinterface");
    if (flags & TYPEFLAG_FHIDDEN)
        add("hidden");
    return s;
}

void writeClass(ITypeInfo& info, const TYPEATTR& attr, std::ostream& out)
{
    for (UINT i = 0; i < attr.cImplTypes; ++i) {
        HREFTYPE ref = 0;
        INT flags = 0;
        Held<ITypeInfo> implemented;
        Text name;
        if (FAILED(info.GetRefTypeOfImplType(i, &ref)) || FAILED(info.GetImplTypeFlags(i, &flags))
            || FAILED(info.GetRefTypeInfo(ref, &implemented.p)))
            continue;
        implemented.p->GetDocumentation(MEMBERID_NIL, &name.value, nullptr, nullptr, nullptr);
        out << "    [" << ((flags & IMPLTYPEFLAG_FDEFAULT) ? "default" : "")
            << ((flags & IMPLTYPEFLAG_FSOURCE) ? ", source" : "") << "] interface " << name.utf8() << "\n";
    }
}

void writeFunctions(ITypeInfo& info, const TYPEATTR& attr, std::ostream& out)
{
    for (UINT i = 0; i < attr.cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info.GetFuncDesc(i, &f)))
            continue;
        Text names[5];
        BSTR given[5] = {};
        UINT count = 0;
        info.GetNames(f->memid, given, 5, &count);
        for (UINT n = 0; n < count && n < 5; ++n)
            names[n].value = given[n];
        Text name, doc;
        DWORD context = 0;
        info.GetDocumentation(f->memid, &name.value, &doc.value, &context, nullptr);
        const char* kind = f->invkind == INVOKE_PROPERTYGET ? "propget"
            : f->invkind == INVOKE_PROPERTYPUT             ? "propput"
                                                           : "method";
        out << "    [id(" << f->memid << "), " << help(context, doc) << "] " << kind << " " << name.utf8() << "(";
        for (SHORT p = 0; p < f->cParams; ++p) {
            const ELEMDESC& e = f->lprgelemdescParam[p];
            out << (p ? ", " : "") << ((e.paramdesc.wParamFlags & PARAMFLAG_FOUT) ? "[out] " : "[in] ")
                << typeName(info, e.tdesc);
            if (static_cast<UINT>(p) + 1 < count)
                out << " " << names[p + 1].utf8();
        }
        out << ")";
        if (f->elemdescFunc.tdesc.vt != VT_VOID)
            out << " : " << typeName(info, f->elemdescFunc.tdesc);
        out << "\n";
        info.ReleaseFuncDesc(f);
    }
}

void writeConstants(ITypeInfo& info, const TYPEATTR& attr, std::ostream& out)
{
    for (UINT i = 0; i < attr.cVars; ++i) {
        VARDESC* v = nullptr;
        if (FAILED(info.GetVarDesc(i, &v)))
            continue;
        Text name;
        info.GetDocumentation(v->memid, &name.value, nullptr, nullptr, nullptr);
        out << "    const " << typeName(info, v->elemdescVar.tdesc) << " " << name.utf8();
        if (v->varkind == VAR_CONST && v->lpvarValue && v->lpvarValue->vt == VT_I4) {
            // Negative values are error results, which read best in hexadecimal.
            const LONG value = v->lpvarValue->lVal;
            char text[16];
            if (value < 0)
                std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
            else
                std::snprintf(text, sizeof text, "%d", value);
            out << " = " << text;
        }
        out << "\n";
        info.ReleaseVarDesc(v);
    }
}

std::optional<GUID> guidArgument(const std::string& text)
{
    if (auto braced = guidFromRegistryText(text))
        return braced;
    const auto wide = platform::text::utf8ToUtf16(text);
    return wide ? guidFromPlainText(*wide) : std::nullopt;
}

// The newest version of a library the registry holds.
HRESULT loadRegisteredNewest(const GUID& libid, ITypeLib** out)
{
    const auto version = newestRegisteredTypeLib(libid);
    if (!version)
        return TYPE_E_LIBNOTREGISTERED;
    return LoadRegTypeLib(libid, version->major, version->minor, 0x0409, out);
}

} // namespace

HRESULT loadNamedTypeLib(const std::string& what, ITypeLib** out, std::string& message)
{
    *out = nullptr;
    if (const auto libid = guidArgument(what)) {
        message = "no type library " + guidText(*libid) + " is registered";
        return loadRegisteredNewest(*libid, out);
    }
    std::error_code ec;
    if (std::filesystem::is_regular_file(what, ec)) {
        message = what + " carries no type library";
        const auto wide = platform::text::utf8ToUtf16(std::filesystem::absolute(what, ec).string());
        return wide ? LoadTypeLib(wide->c_str(), out) : E_INVALIDARG;
    }
    const auto progId = platform::text::utf8ToUtf16(what);
    CLSID clsid{};
    HRESULT hr = progId ? CLSIDFromProgID(progId->c_str(), &clsid) : CO_E_CLASSSTRING;
    if (FAILED(hr)) {
        message = what + " is neither a ProgID, a library GUID nor a library file";
        return hr;
    }
    // A class that names its library is read through the registry; any other one is asked
    // for its type information, which knows the library it belongs to.
    const std::string key = "CLSID\\" + guidText(clsid) + "\\TypeLib";
    if (const auto named = readRegistryValue(key))
        if (const auto libid = guidFromRegistryText(*named)) {
            message = "the type library of " + what + " is not registered";
            return loadRegisteredNewest(*libid, out);
        }
    message = "cannot create " + what;
    Held<IDispatch> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object.p));
    if (FAILED(hr))
        return hr;
    message = what + " has no type information";
    Held<ITypeInfo> info;
    hr = object.p->GetTypeInfo(0, 0x0409, &info.p);
    if (FAILED(hr))
        return hr;
    UINT index = 0;
    return info.p->GetContainingTypeLib(out, &index);
}

bool writeListing(ITypeLib& library, std::ostream& out)
{
    TLIBATTR* attr = nullptr;
    if (FAILED(library.GetLibAttr(&attr)))
        return false;
    Text name, doc, file;
    DWORD context = 0;
    library.GetDocumentation(-1, &name.value, &doc.value, &context, &file.value);
    char head[160];
    std::snprintf(head, sizeof head, "version %u.%u, lcid 0x%04x", attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid);
    out << "library " << name.utf8() << " " << guidText(attr->guid) << ", " << head
        << ((attr->wLibFlags & LIBFLAG_FCONTROL) ? ", control" : "") << "\n";
    out << "    helpfile(" << quoted(file.utf8()) << "), " << help(context, doc) << "\n";
    library.ReleaseTLibAttr(attr);

    // Classes, then interfaces, then modules, each in the library's own order.
    for (TYPEKIND section : {TKIND_COCLASS, TKIND_DISPATCH, TKIND_MODULE}) {
        for (UINT i = 0; i < library.GetTypeInfoCount(); ++i) {
            TYPEKIND kind{};
            Held<ITypeInfo> info;
            if (FAILED(library.GetTypeInfoType(i, &kind)) || kind != section || FAILED(library.GetTypeInfo(i, &info.p)))
                continue;
            TYPEATTR* type = nullptr;
            if (FAILED(info.p->GetTypeAttr(&type)))
                return false;
            Text typeName, typeDoc;
            DWORD typeContext = 0;
            info.p->GetDocumentation(MEMBERID_NIL, &typeName.value, &typeDoc.value, &typeContext, nullptr);
            const char* word = kind == TKIND_COCLASS ? "coclass" : kind == TKIND_DISPATCH ? "interface" : "module";
            const std::string flags = typeFlags(type->wTypeFlags, kind);
            out << "\n" << word << " " << typeName.utf8();
            if (kind != TKIND_MODULE)
                out << " " << guidText(type->guid);
            out << " [" << (flags.empty() ? "" : flags + ", ") << help(typeContext, typeDoc) << "]\n";
            if (kind == TKIND_COCLASS)
                writeClass(*info.p, *type, out);
            else if (kind == TKIND_DISPATCH)
                writeFunctions(*info.p, *type, out);
            else
                writeConstants(*info.p, *type, out);
            info.p->ReleaseTypeAttr(type);
        }
    }
    return true;
}

} // namespace typelib
