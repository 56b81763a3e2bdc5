#include "data/toques.h"


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
