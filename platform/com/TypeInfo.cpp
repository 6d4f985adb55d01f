#include "platform/com/TypeInfo.h"

#include "platform/com/Activation.h"
#include "platform/com/RefCounted.h"
#include "platform/com/Text.h"
#include "platform/text/Cp1252.h"

#include <algorithm>
#include <dlfcn.h>
#include <new>

namespace platform::com {

namespace {

// Constants of a module have no dispatch ids of their own; they are numbered from here.
constexpr MEMBERID kConstantIdBase = 0x40000000;

BSTR textOf(const char* text) { return text ? stringFromUtf8(text) : nullptr; }

void give(BSTR* out, const char* text)
{
    if (out)
        *out = textOf(text);
}

class TypeLib;

// Where a type sits in the library: classes first, then interfaces, then modules.
struct TypeEntry {
    TYPEKIND kind;
    const ClassInfo* cls = nullptr;
    const InterfaceInfo* itf = nullptr;
    const ModuleInfo* mod = nullptr;

    const char* name() const { return cls ? cls->name : itf ? itf->name : mod->name; }
    const char* helpString() const { return cls ? cls->helpString : itf ? itf->helpString : mod->helpString; }
    DWORD helpContext() const { return cls ? cls->helpContext : itf ? itf->helpContext : mod->helpContext; }
};

UINT typeCount(const TypeLibraryInfo& lib)
{
    return static_cast<UINT>(lib.classes.size() + lib.interfaces.size() + lib.modules.size());
}

TypeEntry entryAt(const TypeLibraryInfo& lib, UINT index)
{
    if (index < lib.classes.size())
        return {TKIND_COCLASS, &lib.classes[index]};
    index -= static_cast<UINT>(lib.classes.size());
    if (index < lib.interfaces.size())
        return {TKIND_DISPATCH, nullptr, lib.interfaces[index]};
    index -= static_cast<UINT>(lib.interfaces.size());
    return {TKIND_MODULE, nullptr, nullptr, &lib.modules[index]};
}

// The type reference of an interface: its place in the library.
HREFTYPE interfaceRef(const TypeLibraryInfo& lib, const IID& iid)
{
    for (std::size_t i = 0; i < lib.interfaces.size(); ++i)
        if (lib.interfaces[i]->iid == iid)
            return static_cast<HREFTYPE>(lib.classes.size() + i);
    return ~HREFTYPE{0};
}

class TypeInfoObject final : public RefCounted<TypeInfoObject, ITypeInfo> {
public:
    static bool answers(REFIID riid) { return riid == IID_ITypeInfo; }
    TypeInfoObject(TypeLib& lib, UINT index);
    ~TypeInfoObject();


    HRESULT GetTypeAttr(TYPEATTR** attr) override;
    HRESULT GetTypeComp(ITypeComp** comp) override
    {
        if (comp)
            *comp = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetFuncDesc(UINT index, FUNCDESC** desc) override;
    HRESULT GetVarDesc(UINT index, VARDESC** desc) override;
    HRESULT GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
    HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* ref) override;
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override
    {
        if (!m_entry.itf)
            return DISP_E_UNKNOWNNAME;
        return dispatchGetIDsOfNames(*m_entry.itf, names, count, ids);
    }
    HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argErr) override
    {
        if (!m_entry.itf || !instance)
            return E_INVALIDARG;
        return dispatchInvoke(*m_entry.itf, instance, id, flags, params, result, exception, argErr);
    }
    HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) override;
    HRESULT GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override { return TYPE_E_ELEMENTNOTFOUND; }
    HRESULT GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) override;
    HRESULT AddressOfMember(MEMBERID, INVOKEKIND, void** address) override
    {
        if (address)
            *address = nullptr;
        return E_NOTIMPL;
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!m_entry.cls)
            return E_INVALIDARG;
        return CoCreateInstance(m_entry.cls->clsid, outer, CLSCTX_INPROC_SERVER, riid, object);
    }
    HRESULT GetMops(MEMBERID, BSTR* mops) override
    {
        if (mops)
            *mops = nullptr;
        return S_OK;
    }
    HRESULT GetContainingTypeLib(ITypeLib** library, UINT* index) override;
    void ReleaseTypeAttr(TYPEATTR* attr) override { delete attr; }
    void ReleaseFuncDesc(FUNCDESC* desc) override;
    void ReleaseVarDesc(VARDESC* desc) override;

private:
    friend RefCounted;
    const TypeLibraryInfo& tables() const;
    const MemberInfo* member(MEMBERID id) const;

    TypeLib& m_lib;
    UINT m_index;
    TypeEntry m_entry;
};

class TypeLib final : public RefCounted<TypeLib, ITypeLib> {
public:
    static bool answers(REFIID riid) { return riid == IID_ITypeLib; }
    explicit TypeLib(const TypeLibraryInfo& tables) : m_tables(tables) {}

    const TypeLibraryInfo& tables() const { return m_tables; }


    UINT GetTypeInfoCount() override { return typeCount(m_tables); }
    HRESULT GetTypeInfo(UINT index, ITypeInfo** info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index >= typeCount(m_tables))
            return TYPE_E_ELEMENTNOTFOUND;
        *info = new (std::nothrow) TypeInfoObject(*this, index);
        return *info ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) override
    {
        if (!kind)
            return E_POINTER;
        if (index >= typeCount(m_tables))
            return TYPE_E_ELEMENTNOTFOUND;
        *kind = entryAt(m_tables, index).kind;
        return S_OK;
    }
    HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        for (UINT i = 0; i < typeCount(m_tables); ++i) {
            const TypeEntry e = entryAt(m_tables, i);
            if ((e.cls && e.cls->clsid == guid) || (e.itf && e.itf->iid == guid))
                return GetTypeInfo(i, info);
        }
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetLibAttr(TLIBATTR** attr) override
    {
        if (!attr)
            return E_POINTER;
        *attr = new (std::nothrow) TLIBATTR{m_tables.libid, m_tables.lcid, SYS_WIN64, m_tables.majorVersion,
                                            m_tables.minorVersion, m_tables.libFlags};
        return *attr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT GetTypeComp(ITypeComp** comp) override
    {
        if (comp)
            *comp = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) override
    {
        if (index < -1 || (index >= 0 && static_cast<UINT>(index) >= typeCount(m_tables)))
            return TYPE_E_ELEMENTNOTFOUND;
        if (index == -1) {
            give(name, m_tables.name);
            give(docString, m_tables.helpString);
            if (helpContext)
                *helpContext = m_tables.helpContext;
        } else {
            const TypeEntry e = entryAt(m_tables, static_cast<UINT>(index));
            give(name, e.name());
            give(docString, e.helpString());
            if (helpContext)
                *helpContext = e.helpContext();
        }
        give(helpFile, m_tables.helpFile);
        return S_OK;
    }
    HRESULT IsName(LPOLESTR name, ULONG, BOOL* found) override
    {
        if (!name || !found)
            return E_POINTER;
        *found = FALSE_;
        for (UINT i = 0; i < typeCount(m_tables) && !*found; ++i) {
            const TypeEntry e = entryAt(m_tables, i);
            if (sameName(e.name(), name))
                *found = TRUE_;
            if (e.itf)
                for (const MemberInfo& m : e.itf->members)
                    if (sameName(m.name, name))
                        *found = TRUE_;
            if (e.mod)
                for (const ConstantInfo& c : e.mod->constants)
                    if (sameName(c.name, name))
                        *found = TRUE_;
        }
        return S_OK;
    }
    HRESULT FindName(LPOLESTR, ULONG, ITypeInfo**, MEMBERID*, USHORT* found) override
    {
        if (found)
            *found = 0;
        return E_NOTIMPL;
    }
    void ReleaseTLibAttr(TLIBATTR* attr) override { delete attr; }

private:
    friend RefCounted;
    ~TypeLib() = default;

    const TypeLibraryInfo& m_tables;
};

TypeInfoObject::TypeInfoObject(TypeLib& lib, UINT index)
    : m_lib(lib), m_index(index), m_entry(entryAt(lib.tables(), index))
{
    m_lib.AddRef();
}

TypeInfoObject::~TypeInfoObject() { m_lib.Release(); }

const TypeLibraryInfo& TypeInfoObject::tables() const { return m_lib.tables(); }

const MemberInfo* TypeInfoObject::member(MEMBERID id) const
{
    if (!m_entry.itf)
        return nullptr;
    for (const MemberInfo& m : m_entry.itf->members)
        if (m.dispid == id)
            return &m;
    return nullptr;
}

HRESULT TypeInfoObject::GetTypeAttr(TYPEATTR** attr)
{
    if (!attr)
        return E_POINTER;
    *attr = new (std::nothrow) TYPEATTR{};
    if (!*attr)
        return E_OUTOFMEMORY;
    TYPEATTR& a = **attr;
    a.lcid = tables().lcid;
    a.memidConstructor = MEMBERID_NIL;
    a.memidDestructor = MEMBERID_NIL;
    a.typekind = m_entry.kind;
    a.cbAlignment = sizeof(void*);
    if (const ClassInfo* c = m_entry.cls) {
        a.guid = c->clsid;
        a.cImplTypes = static_cast<WORD>((c->defaultInterface ? 1 : 0) + (c->events ? 1 : 0));
        a.wTypeFlags = static_cast<WORD>(((c->flags & ClsCreatable) ? TYPEFLAG_FCANCREATE : 0)
                                         | ((c->flags & ClsControl) ? TYPEFLAG_FCONTROL : 0)
                                         | ((c->flags & ClsHidden) ? TYPEFLAG_FHIDDEN : 0));
    } else if (const InterfaceInfo* i = m_entry.itf) {
        a.guid = i->iid;
        a.cFuncs = static_cast<WORD>(i->members.size());
        // IUnknown's three slots and IDispatch's four come before the interface's own.
        a.cbSizeVft = static_cast<WORD>((7 + ((i->flags & IfDual) ? i->members.size() : 0)) * sizeof(void*));
        a.wTypeFlags = static_cast<WORD>(TYPEFLAG_FDISPATCHABLE | ((i->flags & IfDual) ? TYPEFLAG_FDUAL : 0)
                                         | ((i->flags & IfHidden) ? TYPEFLAG_FHIDDEN : 0)
                                         | ((i->flags & IfOleAutomation) ? TYPEFLAG_FOLEAUTOMATION : 0));
    } else {
        a.guid = GUID_NULL;
        a.cVars = static_cast<WORD>(m_entry.mod->constants.size());
    }
    return S_OK;
}

namespace {

// A function description with the storage its pointers point into, handed out as one block.
struct FuncBlock {
    FUNCDESC desc;
    ELEMDESC params[4];
    TYPEDESC pointees[5];
};
static_assert(std::is_standard_layout_v<FuncBlock>);

struct VarBlock {
    VARDESC desc;
    VARIANT value;
};
static_assert(std::is_standard_layout_v<VarBlock>);

// An object is a pointer to its interface, an out argument a pointer to its value.
void describe(const TypeLibraryInfo& lib, const ArgType& type, TYPEDESC& desc, TYPEDESC& pointee)
{
    if (type.iid) {
        pointee.vt = VT_USERDEFINED;
        pointee.hreftype = interfaceRef(lib, *type.iid);
        desc.vt = VT_PTR;
        desc.lptdesc = &pointee;
    } else if (type.byRef) {
        pointee.vt = type.vt;
        pointee.lptdesc = nullptr;
        desc.vt = VT_PTR;
        desc.lptdesc = &pointee;
    } else {
        desc.vt = type.vt;
        desc.lptdesc = nullptr;
    }
}

} // namespace

HRESULT TypeInfoObject::GetFuncDesc(UINT index, FUNCDESC** desc)
{
    if (!desc)
        return E_POINTER;
    *desc = nullptr;
    if (!m_entry.itf || index >= m_entry.itf->members.size())
        return TYPE_E_ELEMENTNOTFOUND;
    const MemberInfo& m = m_entry.itf->members[index];
    auto* block = new (std::nothrow) FuncBlock{};
    if (!block)
        return E_OUTOFMEMORY;
    FUNCDESC& d = block->desc;
    d.memid = m.dispid;
    d.funckind = FUNC_DISPATCH;
    d.invkind = m.kind == MemberKind::PropertyGet ? INVOKE_PROPERTYGET
        : m.kind == MemberKind::PropertyPut      ? INVOKE_PROPERTYPUT
                                                 : INVOKE_FUNC;
    d.callconv = CC_STDCALL;
    d.cParams = static_cast<SHORT>(std::min<UINT>(m.argCount, 4));
    d.oVft = static_cast<SHORT>((7 + index) * sizeof(void*));
    d.lprgelemdescParam = d.cParams ? block->params : nullptr;
    for (SHORT i = 0; i < d.cParams; ++i) {
        ELEMDESC& p = block->params[i];
        if (m.types)
            describe(tables(), m.types[i], p.tdesc, block->pointees[i]);
        else
            p.tdesc.vt = VT_VARIANT;
        p.paramdesc.wParamFlags = m.types && m.types[i].byRef ? PARAMFLAG_FOUT : PARAMFLAG_FIN;
    }
    if (m.hasResult && m.types)
        describe(tables(), m.types[m.argCount], d.elemdescFunc.tdesc, block->pointees[4]);
    else
        d.elemdescFunc.tdesc.vt = VT_VOID;
    *desc = &block->desc;
    return S_OK;
}

void TypeInfoObject::ReleaseFuncDesc(FUNCDESC* desc) { delete reinterpret_cast<FuncBlock*>(desc); }

HRESULT TypeInfoObject::GetVarDesc(UINT index, VARDESC** desc)
{
    if (!desc)
        return E_POINTER;
    *desc = nullptr;
    if (!m_entry.mod || index >= m_entry.mod->constants.size())
        return TYPE_E_ELEMENTNOTFOUND;
    auto* block = new (std::nothrow) VarBlock{};
    if (!block)
        return E_OUTOFMEMORY;
    VARDESC& d = block->desc;
    d.memid = kConstantIdBase + static_cast<MEMBERID>(index);
    block->value.vt = VT_I4;
    block->value.lVal = m_entry.mod->constants[index].value;
    d.lpvarValue = &block->value;
    d.elemdescVar.tdesc.vt = VT_I4;
    d.varkind = VAR_CONST;
    *desc = &block->desc;
    return S_OK;
}

void TypeInfoObject::ReleaseVarDesc(VARDESC* desc) { delete reinterpret_cast<VarBlock*>(desc); }

HRESULT TypeInfoObject::GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count)
{
    if (!names || !count)
        return E_POINTER;
    *count = 0;
    if (maxNames == 0)
        return S_OK;
    if (m_entry.mod) {
        const MEMBERID i = id - kConstantIdBase;
        if (i < 0 || static_cast<std::size_t>(i) >= m_entry.mod->constants.size())
            return TYPE_E_ELEMENTNOTFOUND;
        names[(*count)++] = textOf(m_entry.mod->constants[static_cast<std::size_t>(i)].name);
        return S_OK;
    }
    const MemberInfo* m = member(id);
    if (!m)
        return TYPE_E_ELEMENTNOTFOUND;
    names[(*count)++] = textOf(m->name);
    // A put's one argument is the new value, which has no name of its own.
    if (m->kind != MemberKind::PropertyPut)
        for (UINT p = 0; p < m->argCount && p < 4 && *count < maxNames && m->params[p]; ++p)
            names[(*count)++] = textOf(m->params[p]);
    return S_OK;
}

HRESULT TypeInfoObject::GetRefTypeOfImplType(UINT index, HREFTYPE* ref)
{
    if (!ref)
        return E_POINTER;
    const ClassInfo* c = m_entry.cls;
    const InterfaceInfo* implemented = !c ? nullptr
        : index == 0                      ? c->defaultInterface
        : index == 1 && c->defaultInterface ? c->events
                                          : nullptr;
    if (!implemented)
        return TYPE_E_ELEMENTNOTFOUND;
    *ref = interfaceRef(tables(), implemented->iid);
    return S_OK;
}

HRESULT TypeInfoObject::GetImplTypeFlags(UINT index, INT* flags)
{
    if (!flags)
        return E_POINTER;
    HREFTYPE ref = 0;
    const HRESULT hr = GetRefTypeOfImplType(index, &ref);
    if (FAILED(hr))
        return hr;
    *flags = index == 0 ? IMPLTYPEFLAG_FDEFAULT : IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
    return S_OK;
}

HRESULT TypeInfoObject::GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString, DWORD* helpContext,
                                         BSTR* helpFile)
{
    const char* memberName = nullptr;
    const char* doc = nullptr;
    DWORD context = 0;
    if (id == MEMBERID_NIL) {
        memberName = m_entry.name();
        doc = m_entry.helpString();
        context = m_entry.helpContext();
    } else if (m_entry.mod) {
        const MEMBERID i = id - kConstantIdBase;
        if (i < 0 || static_cast<std::size_t>(i) >= m_entry.mod->constants.size())
            return TYPE_E_ELEMENTNOTFOUND;
        memberName = m_entry.mod->constants[static_cast<std::size_t>(i)].name;
    } else if (const MemberInfo* m = member(id)) {
        memberName = m->name;
        context = m->helpContext;
    } else {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    give(name, memberName);
    give(docString, doc);
    if (helpContext)
        *helpContext = context;
    give(helpFile, tables().helpFile);
    return S_OK;
}

HRESULT TypeInfoObject::GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (ref >= typeCount(tables()))
        return TYPE_E_ELEMENTNOTFOUND;
    return m_lib.GetTypeInfo(ref, info);
}

HRESULT TypeInfoObject::GetContainingTypeLib(ITypeLib** library, UINT* index)
{
    if (!library)
        return E_POINTER;
    m_lib.AddRef();
    *library = &m_lib;
    if (index)
        *index = m_index;
    return S_OK;
}

} // namespace

HRESULT createTypeLib(const TypeLibraryInfo& library, ITypeLib** out)
{
    if (!out)
        return E_POINTER;
    *out = new (std::nothrow) TypeLib(library);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT dispatchTypeInfo(const TypeLibraryInfo& library, const InterfaceInfo& info, UINT index, ITypeInfo** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    ITypeLib* lib = nullptr;
    HRESULT hr = createTypeLib(library, &lib);
    if (FAILED(hr))
        return hr;
    hr = lib->GetTypeInfoOfGuid(info.iid, out);
    lib->Release();
    return hr;
}

HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!file)
        return E_INVALIDARG;
    const auto path = platform::text::utf16ToUtf8(file);
    if (!path)
        return E_INVALIDARG;
    // The library stays loaded: the type information it hands out lives in it.
    void* library = ::dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return TYPE_E_CANTLOADLIBRARY;
    auto entry = reinterpret_cast<DllGetTypeLibraryFn>(::dlsym(library, kTypeLibraryEntry));
    if (!entry)
        return TYPE_E_CANTLOADLIBRARY;
    return entry(out);
}

} // namespace platform::com
