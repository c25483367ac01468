#include "settings_capture.h"

#include "zrhost/text_state.h"

std::string savedSettings(const HostSession& session, LWInstance instance)
{
    LWSaveState* ss = newTextSaveState(LWIO_SCENE);
    session.instanceFuncs.save(instance, ss);
    std::string text = textSaveStateText(ss);
    freeTextSaveState(ss);
    return text;
}

std::string leafValues(const std::string& text, const char* token)
{
    std::string key = std::string(token) + " ";
    size_t at = 0;
    while ((at = text.find(key, at)) != std::string::npos) {
        bool lineStart = at == 0 || text[at - 1] == ' ' || text[at - 1] == '\n';
        if (lineStart) {
            size_t end = text.find('\n', at);
            return text.substr(at + key.size(), end == std::string::npos ? std::string::npos : end - at - key.size());
        }
        at++;
    }
    return "";
}

std::string configText(const std::string& leaves)
{
    return "{ ZRConfig\n" + leaves + "\n}\n";
}
