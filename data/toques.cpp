#include "data/toques.h"

#include "platform/recordfile.h"

void GravaToques(const std::vector<tToque>& registros)
{
    if (registros.empty())
        return;
    RecordFile::createIfMissing(kArquivoToques);
    RecordFile arquivo(kArquivoToques, int(sizeof(tToque)), RecordFile::Access::ReadWrite);
    // no other machine appends between the size query and the last record
    arquivo.lock();
    arquivo.seek(arquivo.recordCount());
    for (const tToque& registro : registros)
        arquivo.write(&registro);
    arquivo.sync();
    arquivo.close();
}

void LeToques(const std::function<void(const tToque&)>& porRegistro)
{
    if (!fileExists(kArquivoToques))
        return;
    RecordFile arquivo(kArquivoToques, int(sizeof(tToque)), RecordFile::Access::Read);
    tToque registro{};
    arquivo.readEach(registro, [&] {
        porRegistro(registro);
        return true;
    });
    arquivo.close();
}
