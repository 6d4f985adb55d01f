// tessarine-controlhost: creates a control by ProgID through the registry, as a form designer
// would, and opens its property pages and its About box.
//
//   tessarine-controlhost [ProgID] [--design] [--page] [--about] [--guid TEXT] [--load FILE]
//                         [--save FILE] [--close-after MS]
//
// --design puts the control on a form being designed, in a window of its own, where it draws
// itself. Without --design, --page or --about it opens the property pages. --guid loads the control from a saved
// form holding that guidSession; --load loads it from a file the control was saved into with
// --save (its stream persistence). --close-after closes every box after MS milliseconds (for a
// run without anybody at the screen). At the end the control is saved, and the form's saved
// properties are printed.
#include "kvdplay/Interfaces.h"
#include "platform/com/Activation.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/Stream.h"
#include "platform/text/Cp1252.h"
#include "tools/controlhost/HostSite.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace kvdplay;
using controlhost::HostSite;
using controlhost::utf8;

namespace {

struct Options {
    std::string progId = "kvPlay.kvPlay";
    bool design = false;
    bool page = false;
    bool about = false;
    std::optional<std::string> guid;
    std::optional<std::string> load;
    std::optional<std::string> save;
    int closeAfterMs = -1;
};

template <typename I>
I* as(IUnknown* object, REFIID iid)
{
    I* typed = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&typed))))
        return nullptr;
    return typed;
}

void closeBoxesLater(int ms)
{
    if (ms < 0)
        return;
    QTimer::singleShot(ms, [ms] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
        closeBoxesLater(ms);
    });
}

// The frame a design environment puts around a control's property pages.
int showPropertyFrame(IUnknown* control, HostSite& site)
{
    auto* specify = as<ISpecifyPropertyPages>(control, IID_ISpecifyPropertyPages);
    if (!specify) {
        std::cout << "the control has no property pages" << std::endl;
        return 0;
    }
    CAUUID ids{};
    const HRESULT hr = specify->GetPages(&ids);
    specify->Release();
    if (FAILED(hr))
        return 1;

    QDialog frame;
    frame.setWindowTitle(QStringLiteral("Properties"));
    auto* tabs = new QTabWidget(&frame);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &frame);
    QPushButton* apply = buttons->button(QDialogButtonBox::Apply);
    apply->setEnabled(false);
    auto* layout = new QVBoxLayout(&frame);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    site.onPageStatus = [apply](bool dirty) { apply->setEnabled(dirty); };

    std::vector<IPropertyPage*> pages;
    for (ULONG i = 0; i < ids.cElems; ++i) {
        IPropertyPage* page = nullptr;
        if (FAILED(CoCreateInstance(ids.pElems[i], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                    reinterpret_cast<void**>(&page))))
            continue;
        PROPPAGEINFO info{};
        page->GetPageInfo(&info);
        auto* holder = new QWidget;
        holder->setMinimumSize(info.size.cx, info.size.cy);
        tabs->addTab(holder, QString::fromStdString(utf8(info.pszTitle ? info.pszTitle : u"Page")));
        CoTaskMemFree(info.pszTitle);
        CoTaskMemFree(info.pszDocString);
        CoTaskMemFree(info.pszHelpFile);
        page->SetPageSite(&site);
        page->SetObjects(1, &control);
        RECT place{0, 0, info.size.cx, info.size.cy};
        if (FAILED(page->Activate(holder, &place, TRUE_))) {
            page->SetObjects(0, nullptr);
            page->SetPageSite(nullptr);
            page->Release();
            continue;
        }
        page->Show(1);
        pages.push_back(page);
    }
    CoTaskMemFree(ids.pElems);

    auto applyAll = [&frame, &pages, apply]() {
        for (IPropertyPage* page : pages) {
            if (page->IsPageDirty() != S_OK)
                continue;
            const HRESULT result = page->Apply();
            if (FAILED(result)) {
                QMessageBox::warning(&frame, QStringLiteral("Properties"),
                                     QStringLiteral("The page refused the value (0x%1).")
                                         .arg(static_cast<std::uint32_t>(result), 8, 16, QLatin1Char('0')));
                return false;
            }
        }
        apply->setEnabled(false);
        return true;
    };
    QObject::connect(apply, &QPushButton::clicked, &frame, [applyAll] { applyAll(); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &frame, [&frame, applyAll] {
        if (applyAll())
            frame.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &frame, &QDialog::reject);
    frame.exec();

    for (IPropertyPage* page : pages) {
        page->Deactivate();
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
        page->Release();
    }
    site.onPageStatus = nullptr;
    return 0;
}

// The form's surface as the control sees it while it draws.
class PainterSurface final : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter) : m_painter(painter) {}
    void drawRaisedEdge(RECT& rect) override
    {
        const QPalette palette = QApplication::palette();
        const QBrush face = palette.button();
        qDrawWinButton(&m_painter, QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), palette,
                       false, &face);
        constexpr LONG edge = 2;
        rect = {rect.left + edge, rect.top + edge, rect.right - edge, rect.bottom - edge};
    }
    void drawIcon(LONG x, LONG y, const IconPicture& icon) override
    {
        const QImage image(reinterpret_cast<const uchar*>(icon.pixels.data()), icon.width, icon.height,
                           icon.width * 4, QImage::Format_ARGB32);
        m_painter.drawImage(x, y, image);
    }

private:
    QPainter& m_painter;
};

// A form in a design environment: dotted grid, the control drawn where it was placed.
class DesignForm final : public QWidget {
public:
    DesignForm(IViewObject* view, QRect place, QWidget* parent) : QWidget(parent), m_view(view), m_place(place) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setPen(palette().windowText().color());
        for (int y = 0; y < height(); y += 8)
            for (int x = 0; x < width(); x += 8)
                painter.drawPoint(x, y);
        PainterSurface surface(painter);
        const RECTL bounds{m_place.left(), m_place.top(), m_place.right() + 1, m_place.bottom() + 1};
        m_view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &surface, &bounds, nullptr, nullptr, 0);
    }

private:
    IViewObject* m_view;
    QRect m_place;
};

void showDesignForm(IUnknown* control)
{
    auto* view = as<IViewObject>(control, IID_IViewObject);
    if (!view) {
        std::cout << "the control does not draw itself" << std::endl;
        return;
    }
    QDialog frame;
    frame.setWindowTitle(QStringLiteral("Form1 [design]"));
    auto* form = new DesignForm(view, QRect(24, 24, 40, 40), &frame);
    auto* layout = new QVBoxLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
    frame.resize(240, 140);
    frame.exec();
    view->Release();
}

void showAboutBox(IUnknown* control)
{
    auto* dispatch = as<IDispatch>(control, IID_IDispatch);
    if (!dispatch) {
        std::cout << "the control cannot be driven by name" << std::endl;
        return;
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXCEPINFO exception{};
    UINT argErr = 0;
    const HRESULT hr = dispatch->Invoke(DISPID_ABOUTBOX, IID_NULL, 0x0409, DISPATCH_METHOD, &none, nullptr,
                                        &exception, &argErr);
    dispatch->Release();
    if (FAILED(hr))
        std::cout << "the control has no About box" << std::endl;
}

// What went wrong, in the words of the object's error information when it left any.
std::string explain(HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08x", static_cast<unsigned>(hr));
    std::string said;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR description = nullptr;
        info->GetDescription(&description);
        if (description)
            said = utf8(std::u16string_view(description, SysStringLen(description)));
        SysFreeString(description);
        info->Release();
    }
    return said.empty() ? code : said + ", " + code;
}

// The control's stream persistence, into and out of a file.
bool loadFromFile(IUnknown* control, const std::string& file, std::string& problem)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = "the file cannot be read";
        return false;
    }
    const std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto* persist = as<IPersistStreamInit>(control, IID_IPersistStreamInit);
    if (!persist) {
        problem = "the control cannot be loaded from a stream";
        return false;
    }
    IStream* stream = nullptr;
    HRESULT hr = createMemoryStream(bytes, &stream);
    if (SUCCEEDED(hr)) {
        hr = persist->Load(stream);
        stream->Release();
    }
    persist->Release();
    if (hr == E_INVALIDARG)
        problem = "the saved guidSession is not a GUID (" + explain(hr) + ")";
    else if (FAILED(hr))
        problem = "the control refused it (" + explain(hr) + ")";
    return SUCCEEDED(hr);
}

bool saveToFile(IUnknown* control, const std::string& file, std::string& problem)
{
    auto* persist = as<IPersistStreamInit>(control, IID_IPersistStreamInit);
    if (!persist) {
        problem = "the control cannot be saved into a stream";
        return false;
    }
    IStream* stream = nullptr;
    std::vector<BYTE> bytes;
    HRESULT hr = createMemoryStream({}, &stream);
    if (SUCCEEDED(hr)) {
        hr = persist->Save(stream, TRUE_);
        if (SUCCEEDED(hr))
            hr = streamBytes(*stream, bytes);
        stream->Release();
    }
    persist->Release();
    if (FAILED(hr)) {
        problem = "the control could not save itself (" + explain(hr) + ")";
        return false;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        problem = "the file cannot be written";
        return false;
    }
    return true;
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--design")
            o.design = true;
        else if (a == "--page")
            o.page = true;
        else if (a == "--about")
            o.about = true;
        else if (a == "--guid" && i + 1 < argc)
            o.guid = argv[++i];
        else if (a == "--load" && i + 1 < argc)
            o.load = argv[++i];
        else if (a == "--save" && i + 1 < argc)
            o.save = argv[++i];
        else if (a == "--close-after" && i + 1 < argc)
            o.closeAfterMs = std::atoi(argv[++i]);
        else if (!a.empty() && a[0] != '-')
            o.progId = a;
        else
            return false;
    }
    if (!o.design && !o.page && !o.about)
        o.page = true;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: tessarine-controlhost [ProgID] [--design] [--page] [--about] [--guid TEXT] [--load FILE] [--save FILE]"
                     " [--close-after MS]\n";
        return 2;
    }

    const std::u16string progId = platform::text::utf8ToUtf16(options.progId).value_or(u"");
    CLSID clsid{};
    IUnknown* control = nullptr;
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control));
    if (FAILED(hr) || !control) {
        std::fprintf(stderr, "cannot create %s: 0x%08x\n", options.progId.c_str(), static_cast<unsigned>(hr));
        return 1;
    }
    std::cout << "created " << options.progId << std::endl;

    HostSite site;
    site.designMode = options.design;
    if (auto* withSite = as<IObjectWithSite>(control, IID_IObjectWithSite)) {
        withSite->SetSite(static_cast<IOleInPlaceSite*>(&site));
        withSite->Release();
    }
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    if (auto* container = as<IConnectionPointContainer>(control, IID_IConnectionPointContainer)) {
        if (SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point)))
            point->Advise(static_cast<IPropertyNotifySink*>(&site), &cookie);
        container->Release();
    }
    auto* persist = as<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
    if (options.load) {
        std::string problem;
        if (!loadFromFile(control, *options.load, problem)) {
            std::fprintf(stderr, "cannot load %s: %s\n", options.load->c_str(), problem.c_str());
            if (persist)
                persist->Release();
            control->Release();
            return 1;
        }
        std::cout << "loaded " << *options.load << std::endl;
    } else if (persist) {
        if (options.guid) {
            site.bag[u"guidSession"] = platform::text::utf8ToUtf16(*options.guid).value_or(u"");
            persist->Load(static_cast<IPropertyBag*>(&site), nullptr);
        } else {
            persist->InitNew();
        }
    }

    closeBoxesLater(options.closeAfterMs);
    int result = 0;
    if (options.design)
        showDesignForm(control);
    if (options.about)
        showAboutBox(control);
    if (options.page)
        result = showPropertyFrame(control, site);

    if (options.save) {
        std::string problem;
        if (saveToFile(control, *options.save, problem))
            std::cout << "saved to " << *options.save << std::endl;
        else {
            std::fprintf(stderr, "cannot save %s: %s\n", options.save->c_str(), problem.c_str());
            result = 1;
        }
    }
    if (persist) {
        site.bag.clear();
        persist->Save(static_cast<IPropertyBag*>(&site), TRUE_, TRUE_);
        for (const auto& [name, value] : site.bag)
            std::cout << "saved " << utf8(name) << "=" << utf8(value) << std::endl;
        persist->Release();
    }
    if (point) {
        point->Unadvise(cookie);
        point->Release();
    }
    if (auto* withSite = as<IObjectWithSite>(control, IID_IObjectWithSite)) {
        withSite->SetSite(nullptr);
        withSite->Release();
    }
    control->Release();
    return result;
}
