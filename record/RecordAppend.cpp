#include "RecordAppend.h"

#include "RecordTable.h"

void appendRecordRow(RecordTable* table, const RecordRowTexts& texts) {
    RecordValues values;
    values.aNO = table->rowCount() + 1;
    values.texts = {texts.aTime,  texts.aMMode,  texts.aMValue, texts.aMUnit,
                    texts.aSMode, texts.aSValue, texts.aSUnit,  texts.aFreq};
    table->append(values);
}
