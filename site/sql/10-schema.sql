-- The catalog database "tool": the site settings row (ht), the software
-- catalog (wzsj) and the row of six banner slots (ggw). Every text is GBK.
-- Safe to run again on a live catalog: nothing that exists is dropped.

CREATE DATABASE IF NOT EXISTS tool CHARACTER SET gbk COLLATE gbk_chinese_ci;
USE tool;

-- One row; the client reads the first row returned.
CREATE TABLE IF NOT EXISTS ht (
  ggnr   TEXT          NULL COMMENT 'announcement, rich text with links',
  zxbb   VARCHAR(32)   NULL COMMENT 'latest published version',
  tgkg   VARCHAR(16)   NULL COMMENT 'side-panel switch, on only when it holds the character for on',
  qzgx   VARCHAR(16)   NULL COMMENT 'forced-update switch, same rule',
  qlj    VARCHAR(255)  NULL COMMENT 'group link',
  gxdz   VARCHAR(255)  NULL COMMENT 'update package address',
  gxrz   TEXT          NULL COMMENT 'update log',
  zxbbmc VARCHAR(128)  NULL COMMENT 'update file name without extension'
) ENGINE=InnoDB DEFAULT CHARSET=gbk COLLATE=gbk_chinese_ci;

-- The catalog. fl is a number so that the client's fl=N conditions use the
-- index; every page is read newest first, hence (fl, id DESC).
CREATE TABLE IF NOT EXISTS wzsj (
  id    INT           NOT NULL AUTO_INCREMENT,
  fl    TINYINT       NOT NULL COMMENT 'category 1..7',
  mc    VARCHAR(100)  NULL COMMENT 'name',
  jj    TEXT          NULL COMMENT 'introduction',
  tb    VARCHAR(255)  NULL COMMENT 'icon address',
  xzdz  VARCHAR(255)  NULL COMMENT 'download address',
  gxsj  VARCHAR(32)   NULL COMMENT 'update time',
  rjdx  VARCHAR(32)   NULL COMMENT 'size',
  PRIMARY KEY (id),
  KEY wzsj_fl_newest (fl, id DESC)
) ENGINE=InnoDB DEFAULT CHARSET=gbk COLLATE=gbk_chinese_ci;

-- One row of six slots: picture address (tp), link (dz) and title (bt).
CREATE TABLE IF NOT EXISTS ggw (
  hdpggw1tp VARCHAR(255) NULL, hdpggw1dz VARCHAR(255) NULL, hdpggw1bt VARCHAR(100) NULL,
  hdpggw2tp VARCHAR(255) NULL, hdpggw2dz VARCHAR(255) NULL, hdpggw2bt VARCHAR(100) NULL,
  hdpggw3tp VARCHAR(255) NULL, hdpggw3dz VARCHAR(255) NULL, hdpggw3bt VARCHAR(100) NULL,
  hdpggw4tp VARCHAR(255) NULL, hdpggw4dz VARCHAR(255) NULL, hdpggw4bt VARCHAR(100) NULL,
  hdpggw5tp VARCHAR(255) NULL, hdpggw5dz VARCHAR(255) NULL, hdpggw5bt VARCHAR(100) NULL,
  hdpggw6tp VARCHAR(255) NULL, hdpggw6dz VARCHAR(255) NULL, hdpggw6bt VARCHAR(100) NULL
) ENGINE=InnoDB DEFAULT CHARSET=gbk COLLATE=gbk_chinese_ci;
