#include "zrhost/scene_file.h"

#include "zrhost/host_services.h"

#define ID_SCEN LWIDMAKE('S', 'C', 'E', 'N')
#define ID_FRBF LWIDMAKE('F', 'R', 'B', 'F')

static const LWBlockIdent sceneHeader = {ID_SCEN, "ZRHostScene"};
static const LWBlockIdent frameBufferBlock[] = {{ID_FRBF, "FrameBufferHandler"}, {0, nullptr}};

int saveScene(const HostSession* session, LWInstance instance, const char* path)
{
    LWFileIOFuncs* io = hostFileIO();
    LWSaveState* ss = io->openSave(path, LWIO_SCENE);
    if (!ss) return 0;
    ss->beginBlk(ss->writeData, &sceneHeader, 1);
    const int32_t version = 1;
    ss->writeI4(ss->writeData, &version, 1);
    ss->endBlk(ss->writeData);

    ss->beginBlk(ss->writeData, &frameBufferBlock[0], 0);
    ss->writeStr(ss->writeData, "ZR40");
    if (session->instanceFuncs.save) session->instanceFuncs.save(instance, ss);
    ss->endBlk(ss->writeData);
    io->closeSave(ss);
    return 1;
}

int loadScene(const HostSession* session, LWInstance instance, const char* path)
{
    LWFileIOFuncs* io = hostFileIO();
    LWLoadState* ls = io->openLoad(path, LWIO_SCENE);
    if (!ls) return 0;
    int found = ls->findBlk(ls->readData, frameBufferBlock) == ID_FRBF;
    if (found) {
        char server[64];
        ls->readStr(ls->readData, server, sizeof server);
        if (session->instanceFuncs.load) session->instanceFuncs.load(instance, ls);
        ls->endBlk(ls->readData);
    }
    io->closeLoad(ls);
    return found;
}
