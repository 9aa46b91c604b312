#include "tools/browser/stream_delivery.h"

#include <windows.h>

#include <algorithm>

#include "common/owned_handles.h"
#include "tools/browser/browser_log.h"
#include "tools/browser/plugin_instance.h"
#include "tools/browser/plugin_library.h"

namespace zorbit::browser {
namespace {

bool ReadWholeFile(const std::string& path, std::vector<char>* out) {
    OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bool ok = true;
    out->clear();
    char buffer[8192];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        out->insert(out->end(), buffer, buffer + got);
    }
    return ok;
}

}  // namespace

StreamDelivery::StreamDelivery(int instanceId, std::string url, std::string path, std::string mimeType)
    : instanceId_(instanceId), url_(std::move(url)), path_(std::move(path)), mimeType_(std::move(mimeType)) {}

StreamDelivery::Outcome StreamDelivery::Start(PluginInstance& instance, BrowserLog& log) {
    NPPluginFuncs& funcs = instance.library()->funcs();
    const std::string id = std::to_string(instance.id());
    if (!ReadWholeFile(path_, &data_)) {
        log.Write("missing " + path_);
        ended_ = true;
        return Outcome::kFailed;
    }
    stream_ = {};
    stream_.url = url_.c_str();
    stream_.end = static_cast<uint32_t>(data_.size());
    stream_.ndata = this;
    streamType_ = NP_NORMAL;
    NPError result = NPERR_GENERIC_ERROR;
    if (funcs.newstream) {
        result = funcs.newstream(instance.npp(), const_cast<char*>(mimeType_.c_str()), &stream_, 0, &streamType_);
    }
    log.Write("newstream " + id + " " + url_ + " type=" + mimeType_ + " stype=" + std::to_string(streamType_) +
              " result=" + std::to_string(result));
    started_ = true;
    if (result != NPERR_NO_ERROR) {
        // A refused stream is not destroyed: it never came into being.
        ended_ = true;
        return Outcome::kFailed;
    }
    if (streamType_ == NP_ASFILEONLY) offset_ = data_.size();
    return Outcome::kWaiting;
}

StreamDelivery::Outcome StreamDelivery::Run(PluginInstance& instance, BrowserLog& log) {
    if (ended_) return Outcome::kFailed;
    if (!started_) {
        if (Start(instance, log) == Outcome::kFailed) return Outcome::kFailed;
    }
    NPPluginFuncs& funcs = instance.library()->funcs();
    const std::string id = std::to_string(instance.id());
    while (offset_ < data_.size()) {
        if (!funcs.write) return End(instance, log, NPRES_NETWORK_ERR);
        int32_t ready = funcs.writeready ? funcs.writeready(instance.npp(), &stream_) : kMaxPiece;
        int32_t written = 0;
        int32_t piece = 0;
        if (ready > 0) {
            piece = static_cast<int32_t>(std::min<size_t>({static_cast<size_t>(ready), static_cast<size_t>(kMaxPiece),
                                                          data_.size() - offset_}));
            written = funcs.write(instance.npp(), &stream_, static_cast<int32_t>(offset_), piece,
                                  data_.data() + offset_);
            log.Write("write " + id + " offset=" + std::to_string(offset_) + " len=" + std::to_string(piece) +
                      " result=" + std::to_string(written));
            if (written < 0) return End(instance, log, NPRES_NETWORK_ERR);
            offset_ += static_cast<size_t>(std::min(written, piece));
        }
        if (ready <= 0 || written == 0) {
            if (++stalls_ > kMaxStalls) return End(instance, log, NPRES_NETWORK_ERR);
            return Outcome::kWaiting;
        }
    }
    if ((streamType_ == NP_ASFILE || streamType_ == NP_ASFILEONLY) && funcs.asfile) {
        log.Write("asfile " + id + " " + path_);
        funcs.asfile(instance.npp(), &stream_, path_.c_str());
    }
    return End(instance, log, NPRES_DONE);
}

StreamDelivery::Outcome StreamDelivery::End(PluginInstance& instance, BrowserLog& log, NPReason reason) {
    ended_ = true;
    NPPluginFuncs& funcs = instance.library()->funcs();
    NPError result = NPERR_NO_ERROR;
    if (funcs.destroystream) result = funcs.destroystream(instance.npp(), &stream_, reason);
    log.Write("destroystream " + std::to_string(instance.id()) + " reason=" + std::to_string(reason) +
              " result=" + std::to_string(result));
    return reason == NPRES_DONE ? Outcome::kFinished : Outcome::kFailed;
}

void StreamDelivery::Abort(PluginInstance& instance, BrowserLog& log) {
    if (started_ && !ended_) End(instance, log, NPRES_USER_BREAK);
}

}  // namespace zorbit::browser
