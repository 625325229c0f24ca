jlex_target(NAME rime PROGRAM jlex-rime MAKE rime SERVES "Rime (fcitx5-rime, ibus-rime)"
            SERVES_ZH "Rime（fcitx5-rime、ibus-rime）"
            SUGGESTS "fcitx5-rime | ibus-rime")
jlex_target_sources(RimeDoctor.cpp RimeDoctor.h RimePaths.cpp RimePaths.h RimeTarget.cpp SchemaPatch.cpp SchemaPatch.h)
jlex_target_pictures(rime-deploy.png)
jlex_table_format(RimeTableFormat.cpp)
jlex_shipped_tables(shipped.txt)
