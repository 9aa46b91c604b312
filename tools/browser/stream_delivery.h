// Delivery of one local file to an instance as a stream, the way a browser
// hands over a fetched address: NPP_NewStream, then NPP_WriteReady and
// NPP_Write in pieces no larger than the plug-in said it takes, then
// NPP_StreamAsFile with the local path when the plug-in asked for a file,
// and NPP_DestroyStream.
#pragma once

#include <string>
#include <vector>

#include "plugin/entry/npapi.h"

namespace zorbit::browser {

class BrowserLog;
class PluginInstance;

class StreamDelivery {
public:
    StreamDelivery(int instanceId, std::string url, std::string path, std::string mimeType);
    StreamDelivery(const StreamDelivery&) = delete;
    StreamDelivery& operator=(const StreamDelivery&) = delete;

    enum class Outcome {
        kFinished,  // destroyed with NPRES_DONE
        kFailed,    // refused, unreadable or ended with an error
        kWaiting,   // the plug-in takes nothing now; run again later
    };

    int instanceId() const { return instanceId_; }
    const std::string& path() const { return path_; }

    // Runs as far as the plug-in lets it.
    Outcome Run(PluginInstance& instance, BrowserLog& log);
    // Ends a started stream early (the page goes away).
    void Abort(PluginInstance& instance, BrowserLog& log);

    // Largest piece handed over in one NPP_Write, whatever the plug-in takes.
    static const int32_t kMaxPiece = 16384;
    // Rounds in which the plug-in takes nothing before the stream is dropped.
    static const int kMaxStalls = 200;

private:
    Outcome Start(PluginInstance& instance, BrowserLog& log);
    Outcome End(PluginInstance& instance, BrowserLog& log, NPReason reason);

    int instanceId_;
    std::string url_;
    std::string path_;
    std::string mimeType_;
    std::vector<char> data_;
    NPStream stream_{};
    uint16_t streamType_ = NP_NORMAL;
    bool started_ = false;
    bool ended_ = false;
    size_t offset_ = 0;
    int stalls_ = 0;
};

}  // namespace zorbit::browser
