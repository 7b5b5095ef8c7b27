// Opens each file named on the command line with Apache POI's reader of
// PowerPoint 97-2003 files (HSLF) and checks that the records a host follows
// are where the format puts them: the CurrentUserAtom's offset is a
// UserEditAtom, whose persist directory holds the DocumentContainer POI read,
// whose VBAInfoAtom says the file has macros and names a persist object that
// is an ExOleObjStg record holding a compound file with a VBA/dir stream.
// Prints one line per check; exits with 1 when any check fails.
//
// Usage: java -cp POI_JARS tests/addin/PoiCheck.java FILE...

import java.io.File;
import java.io.InputStream;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;

import org.apache.poi.hslf.record.CurrentUserAtom;
import org.apache.poi.hslf.record.Document;
import org.apache.poi.hslf.record.ExOleObjStg;
import org.apache.poi.hslf.record.PersistPtrHolder;
import org.apache.poi.hslf.record.PositionDependentRecord;
import org.apache.poi.hslf.record.Record;
import org.apache.poi.hslf.record.UserEditAtom;
import org.apache.poi.hslf.record.VBAInfoAtom;
import org.apache.poi.hslf.usermodel.HSLFShape;
import org.apache.poi.hslf.usermodel.HSLFSlideShow;
import org.apache.poi.hslf.usermodel.HSLFSlideShowImpl;
import org.apache.poi.hslf.usermodel.HSLFTextRun;
import org.apache.poi.hslf.usermodel.HSLFTextShape;
import org.apache.poi.poifs.filesystem.DirectoryNode;
import org.apache.poi.poifs.filesystem.POIFSFileSystem;

public class PoiCheck {
    static final long DOC_INFO_LIST = 0x07D0;
    static final long VBA_INFO = 0x03FF;
    static final long VBA_INFO_ATOM = 0x0400;
    static int failures = 0;

    static boolean check(boolean ok, String file, String what) {
        System.out.println((ok ? "ok   " : "FAIL ") + file + ": " + what);
        if (!ok) {
            failures++;
        }
        return ok;
    }

    static Record recordAt(Record[] records, long offset) {
        for (Record record : records) {
            if (record instanceof PositionDependentRecord
                    && ((PositionDependentRecord) record).getLastOnDiskOffset() == offset) {
                return record;
            }
        }
        return null;
    }

    static Record child(Record parent, long type) {
        Record[] children = parent == null ? null : parent.getChildRecords();
        if (children != null) {
            for (Record record : children) {
                if (record.getRecordType() == type) {
                    return record;
                }
            }
        }
        return null;
    }

    static void checkFile(String path) throws Exception {
        String name = new File(path).getName();
        HSLFSlideShowImpl file = new HSLFSlideShowImpl(path);
        HSLFSlideShow show = new HSLFSlideShow(file);
        check(!show.getSlideMasters().isEmpty(), name,
              "opens as a slide show with " + show.getSlideMasters().size() + " master(s) and "
              + show.getSlides().size() + " slide(s)");

        List<String> fonts = new ArrayList<>();
        for (HSLFShape shape : show.getSlideMasters().get(0).getShapes()) {
            if (shape instanceof HSLFTextShape) {
                HSLFTextRun run = ((HSLFTextShape) shape).getTextParagraphs().get(0).getTextRuns().get(0);
                fonts.add(run.getFontFamily() + " " + run.getFontSize());
            }
        }
        check(!fonts.isEmpty() && !fonts.stream().anyMatch(f -> f.contains("null")), name,
              "the master's text takes its font and size from the styles: " + fonts);

        CurrentUserAtom user = file.getCurrentUserAtom();
        Record[] records = file.getRecords();
        Record edit = recordAt(records, user.getCurrentEditOffset());
        if (!check(edit instanceof UserEditAtom, name, "the Current User stream (last user \""
                   + user.getLastEditUsername() + "\") points at a UserEditAtom")) {
            return;
        }
        UserEditAtom userEdit = (UserEditAtom) edit;
        Record directory = recordAt(records, userEdit.getPersistPointersOffset());
        if (!check(directory instanceof PersistPtrHolder, name, "the UserEditAtom points at a persist directory")) {
            return;
        }
        Map<Integer, Integer> offsets = ((PersistPtrHolder) directory).getSlideLocationsLookup();
        Document document = show.getDocumentRecord();
        Integer documentOffset = offsets.get(userEdit.getDocPersistRef());
        check(document != null && documentOffset != null && document.getLastOnDiskOffset() == documentOffset,
              name, "the persist directory gives the DocumentContainer POI read");

        Record found = child(child(child(document, DOC_INFO_LIST), VBA_INFO), VBA_INFO_ATOM);
        if (!check(found instanceof VBAInfoAtom, name, "the document's DocInfoList holds a VBAInfoAtom")) {
            return;
        }
        VBAInfoAtom info = (VBAInfoAtom) found;
        check(info.isHasMacros() && info.getVersion() == 2, name, "the VBAInfoAtom says: macros, version 2");
        Integer projectOffset = offsets.get((int) info.getPersistIdRef());
        Record project = projectOffset == null ? null : recordAt(records, projectOffset);
        if (!check(project instanceof ExOleObjStg, name,
                   "the VBAInfoAtom's persist object is an ExOleObjStg record")) {
            return;
        }
        try (InputStream data = ((ExOleObjStg) project).getData();
             POIFSFileSystem storage = new POIFSFileSystem(data)) {
            DirectoryNode root = storage.getRoot();
            boolean hasDir = root.hasEntry("VBA") && ((DirectoryNode) root.getEntry("VBA")).hasEntry("dir");
            check(hasDir, name, "the ExOleObjStg holds a compound file with a VBA/dir stream");
        }
        show.close();
    }

    public static void main(String[] args) {
        for (String path : args) {
            try {
                checkFile(path);
            } catch (Exception error) {
                check(false, new File(path).getName(), "POI reads it without an exception: " + error);
            }
        }
        System.exit(failures == 0 ? 0 : 1);
    }
}
