// A stand-in for the HDN client library, for the tests and the demo office:
// messages travel as files through a folder "network" with one folder per node.
//
// The installation folder is the parent of the folder this library lies in
// (its "bin"). It holds:
//   config/node         the node number of this workstation's certificate; without it there is none
//   config/certificaat  days the certificate stays valid: 0 active, n > 0 valid n more days, < 0 none
//   config/network      (optional) the path of a network folder shared with other installations
//   network/            the network folder otherwise; network/<node>/ is a node's mailbox, and a
//                       file "geen-server" in it marks a node without an HDN server
#include "hdnclient/weslycln.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path installation()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&hdnIsCertActive), &info) == 0 || !info.dli_fname)
        return {};
    return fs::absolute(fs::path(info.dli_fname)).parent_path().parent_path();
}

std::string readText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string nodeNumber()
{
    std::error_code ec;
    const fs::path file = installation() / "config" / "node";
    return fs::exists(file, ec) ? readText(file) : std::string();
}

fs::path network()
{
    std::error_code ec;
    const fs::path configured = installation() / "config" / "network";
    if (fs::exists(configured, ec)) {
        const std::string path = readText(configured);
        if (!path.empty())
            return path;
    }
    return installation() / "network";
}

std::string unique()
{
    static std::atomic<int> counter{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    char text[64];
    std::snprintf(text, sizeof text, "%020lld_%06d",
                  static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                  ++counter);
    return text;
}

} // namespace

extern "C" {

int hdnSend(const char* fileName)
{
    if (!fileName || !*fileName)
        return 1009;
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec))
        return 1009;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return 1011;
    std::stringstream s;
    s << in.rdbuf();
    if (in.bad())
        return 1012;
    const std::string body = s.str();
    const std::string own = nodeNumber();
    if (own.empty())
        return 1002;
    pugi::xml_document doc;
    if (!doc.load_buffer(body.data(), body.size()))
        return 1008;
    const pugi::xpath_node to = doc.select_node("//Ontvanger");
    const std::string node = to ? to.node().text().get() : std::string();
    if (node.empty())
        return 1008;
    const fs::path box = network() / node;
    if (!fs::is_directory(box, ec))
        return 1006;
    if (fs::exists(box / "geen-server", ec))
        return 1007;
    const fs::path partial = box / (own + "_" + unique() + ".tmp");
    {
        std::ofstream out(partial, std::ios::binary);
        out.write(body.data(), std::streamsize(body.size()));
        if (!out.flush())
            return 1019;
    }
    fs::path done = partial;
    done.replace_extension(".xml");
    fs::rename(partial, done, ec);
    return ec ? 1019 : 0;
}

int hdnReceiveFrom(const char* fromNode, const char* fileName, int* aantalBerichten)
{
    if (!fileName || !*fileName || !aantalBerichten)
        return 1008;
    *aantalBerichten = 0;
    const std::string own = nodeNumber();
    if (own.empty())
        return 1008;
    const std::string prefix = fromNode && *fromNode ? std::string(fromNode) + "_" : std::string();
    std::error_code ec;
    std::vector<fs::path> waiting;
    for (const auto& entry : fs::directory_iterator(network() / own, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".xml" && name.compare(0, prefix.size(), prefix) == 0)
            waiting.push_back(entry.path());
    }
    if (waiting.empty())
        return 503;
    std::sort(waiting.begin(), waiting.end());
    fs::copy_file(waiting.front(), fileName, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return 1014;
    fs::remove(waiting.front(), ec);
    *aantalBerichten = int(waiting.size()) - 1;
    return 0;
}

int hdnValidate(const char* fileName, const char* /*fileNameVX*/)
{
    if (!fileName)
        return 1032;
    pugi::xml_document doc;
    if (!doc.load_file(fileName))
        return 1032;
    if (!doc.select_node("/*/Header"))
        return 1033;
    return 0;
}

int hdnGetNodeNumber(char* buffer)
{
    const std::string node = nodeNumber();
    if (!buffer || node.empty())
        return 1;
    std::memcpy(buffer, node.data(), std::min<std::size_t>(node.size(), 254));
    return 0;
}

int hdnIsCertActive()
{
    std::error_code ec;
    const fs::path file = installation() / "config" / "certificaat";
    if (fs::exists(file, ec))
        return std::atoi(readText(file).c_str());
    return nodeNumber().empty() ? -1 : 0;
}

} // extern "C"
