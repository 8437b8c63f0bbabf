#include "link/conflict/port_conflict_cups.h"

#include <cups/cups.h>
#include <strings.h>

#include <vector>

#include "link/file_tree.h"
#include "link/links.h"
#include "link/conflict/printer_list.h"
#include "link/usb/usb_port_name.h"
#include "link/usb/usb_printers_sysfs.h"

namespace tarvek {
namespace {

constexpr int kConnectMs = 2000;
constexpr double kAnswerSeconds = 5.0;

struct Queue {
    std::string name;
    std::string deviceUri;
};

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

// A server that does not answer in time ends the request instead of waiting again.
int GiveUp(http_t*, void*) {
    return 0;
}

// The queues with their device URIs, in the server's order. Free with no list when no server
// runs; false when a running server gave no list.
bool ListQueues(std::vector<Queue>& queues) {
    cupsSetServer(nullptr);
    std::unique_ptr<http_t, HttpCloser> http(httpConnect2(
        cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMs, nullptr));
    if (!http) {
        return true;
    }
    httpSetTimeout(http.get(), kAnswerSeconds, GiveUp, nullptr);
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const kAttributes[] = {"printer-name", "device-uri"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  kAttributes);
    const std::unique_ptr<ipp_t, IppDeleter> response(cupsDoRequest(http.get(), request, "/"));
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        return true;  // a server without queues
    }
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        return false;
    }
    // The queues' attributes follow each other, one group per queue.
    Queue queue;
    for (ipp_attribute_t* attr = ippFirstAttribute(response.get());;
         attr = ippNextAttribute(response.get())) {
        const char* name = attr ? ippGetName(attr) : nullptr;
        if (!name) {
            if (!queue.name.empty() && !queue.deviceUri.empty()) {
                queues.push_back(queue);
            }
            queue = Queue{};
            if (!attr) {
                break;
            }
            continue;
        }
        const char* value = ippGetString(attr, 0, nullptr);
        const std::string key = name;
        if (key == "printer-name") {
            queue.name = value ? value : "";
        } else if (key == "device-uri") {
            queue.deviceUri = value ? value : "";
        }
    }
    return true;
}

// What a port text stands for: device nodes, and for a USB name the printers it selects.
struct PortTarget {
    std::vector<std::string> devicePaths;  // links resolved
    std::vector<SysfsUsbPrinter> usbPrinters;
};

PortTarget TargetOf(const std::string& portText, const std::string& root) {
    PortTarget target;
    UsbPrinterSelector selector;
    if (!ParseUsbPortName(portText, selector)) {
        const bool bare = portText.find('/') == std::string::npos;
        target.devicePaths.push_back(CanonicalPath(bare ? "/dev/" + portText : portText));
        return target;
    }
    for (const SysfsUsbPrinter& printer : ListSysfsUsbPrinters(root)) {
        if (selector.Matches(printer.vendorId, printer.productId)) {
            target.usbPrinters.push_back(printer);
            if (!printer.printerNode.empty()) {
                target.devicePaths.push_back(CanonicalPath(printer.printerNode));
            }
        }
    }
    return target;
}

bool SameText(const std::string& a, const std::string& b) {
    return !a.empty() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

// "usb://MAKE/MODEL?serial=S" against one printer.
bool UsbUriNames(const std::string& make, const std::string& resource,
                 const SysfsUsbPrinter& printer) {
    const std::size_t query = resource.find('?');
    const std::string model = resource.substr(1, query == std::string::npos ? query : query - 1);
    const std::string key = "serial=";
    const std::size_t at = resource.find(key, query == std::string::npos ? 0 : query);
    if (query != std::string::npos && at != std::string::npos) {
        const std::string serial =
            resource.substr(at + key.size(), resource.find('&', at) - at - key.size());
        return SameText(serial, printer.serial) ||
               SameText(serial, DeviceIdField(printer.deviceId, "SN")) ||
               SameText(serial, DeviceIdField(printer.deviceId, "SERN"));
    }
    return (SameText(make, printer.manufacturer) && SameText(model, printer.product)) ||
           (SameText(make, DeviceIdField(printer.deviceId, "MFG")) &&
            SameText(model, DeviceIdField(printer.deviceId, "MDL")));
}

bool QueueHolds(const std::string& deviceUri, const PortTarget& target) {
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_MOST, deviceUri.c_str(), scheme, sizeof scheme, user,
                        sizeof user, host, sizeof host, &port, resource,
                        sizeof resource) < HTTP_URI_STATUS_OK) {
        return false;
    }
    const std::string kind = scheme;
    if (kind == "usb") {
        for (const SysfsUsbPrinter& printer : target.usbPrinters) {
            if (UsbUriNames(host, resource, printer)) {
                return true;
            }
        }
        return false;
    }
    if (kind != "serial" && kind != "file" && kind != "parallel") {
        return false;
    }
    std::string path = resource;
    path = CanonicalPath(path.substr(0, path.find('?')));
    for (const std::string& device : target.devicePaths) {
        if (device == path) {
            return true;
        }
    }
    return false;
}

class CupsPortCheck final : public PortConflictCheck {
  public:
    CupsPortCheck(std::string root, bool keepList)
        : m_root(std::move(root)), m_bKeepList(keepList) {}

    PortCheckResult Check(const std::string& portText, PortConflictVariant) override {
        if (!m_bKeepList || !m_bListed) {
            m_queues.clear();
            m_bListRead = ListQueues(m_queues);
            m_bListed = true;
        }
        PortCheckResult result;
        if (!m_bListRead) {
            result.state = PortCheck::ListUnreadable;
            return result;
        }
        const PortTarget target = TargetOf(portText, m_root);
        for (const Queue& queue : m_queues) {
            if (QueueHolds(queue.deviceUri, target)) {
                result.state = PortCheck::Held;
                result.holder.kind = HolderKind::CupsQueue;
                result.holder.printerName = CutName(queue.name, nullptr);
                result.holder.portName = CutName(queue.deviceUri, nullptr);
                break;
            }
        }
        return result;
    }

  private:
    std::string m_root;
    bool m_bKeepList;  // the list read at the first check answers every later one
    bool m_bListed = false;
    bool m_bListRead = false;
    std::vector<Queue> m_queues;
};

}  // namespace

std::unique_ptr<PortConflictCheck> MakeCupsPortConflictCheck(const std::string& root) {
    return std::make_unique<CupsPortCheck>(root, false);
}

std::unique_ptr<PortConflictCheck> MakeCupsQueueSnapshot(const std::string& root) {
    return std::make_unique<CupsPortCheck>(root, true);
}

std::unique_ptr<PortConflictCheck> MakePortConflictCheck() {
    return MakeCupsPortConflictCheck();
}

}  // namespace tarvek
